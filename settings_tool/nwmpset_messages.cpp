#include "settings_tool/nwmpset_messages.hpp"

namespace nwmp {

namespace {

std::string joined(const std::vector<std::string>& extensions) {
    std::string list;
    for (const std::string& extension : extensions) {
        if (!list.empty()) {
            list += "、";
        }
        list += extension;
    }
    return list;
}

}  // namespace

std::string associationSetFailedMessage(const std::vector<std::string>& failedExtensions) {
    return "次の拡張子は関連付けできませんでした：" + joined(failedExtensions);
}

std::string associationRemoveFailedMessage(const std::vector<std::string>& failedExtensions) {
    return "次の拡張子は関連付けを解除できませんでした：" + joined(failedExtensions);
}

}  // namespace nwmp
