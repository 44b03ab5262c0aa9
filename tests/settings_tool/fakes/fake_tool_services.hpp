#pragma once

// Fakes of the settings tool's other ports: message boxes, its process, its folder, the
// association service, the open-file dialog, and a settings file that counts reads and journals
// writes.

#include <set>
#include <string>
#include <vector>

#include "fakes/fake_open_file_dialog.hpp"
#include "fakes/fake_tool_view.hpp"
#include "fakes/memory_settings_file.hpp"

namespace nwmp::testing {

class FakeMessageBoxes : public MessageBoxes {
  public:
    struct Shown {
        std::string title;
        std::string text;
        MessageIcon icon;
    };
    explicit FakeMessageBoxes(Journal& journal) : journal_(journal) {}
    void show(std::string_view title, std::string_view text, MessageIcon icon) override;
    std::vector<Shown> shown;
    std::vector<std::string> texts() const;

  private:
    Journal& journal_;
};

class FakeToolProcess : public ToolProcess {
  public:
    explicit FakeToolProcess(Journal& journal) : journal_(journal) {}
    bool otherCopy = false;
    bool anotherCopyRunning() override { return otherCopy; }
    void endNow() override { journal_.push_back("endNow"); }

  private:
    Journal& journal_;
};

class FakeToolFolder : public ToolFolder {
  public:
    std::string folder = "/opt/nwmp";
    std::string separator = "/";
    std::string suffix;
    std::string path() const override { return folder; }
    std::string join(std::string_view base, std::string_view name) const override;
    std::string_view programSuffix() const override { return suffix; }
};

class FakeFileAssociation : public FileAssociation {
  public:
    std::set<std::string> failing;  // extensions for which both operations fail
    std::vector<AssociationRequest> registered;
    std::vector<std::string> removed;
    std::size_t calls() const { return registered.size() + removed.size(); }
    bool registerExtension(const AssociationRequest& request) override;
    bool removeExtension(const std::string& extension) override;
};

class JournalingSettingsFile : public SettingsFile {
  public:
    JournalingSettingsFile(MemorySettingsFile& file, Journal& journal)
        : file_(file), journal_(journal) {}
    mutable int reads = 0;
    std::int32_t readInt(std::string_view section, std::string_view key,
                         std::int32_t defaultValue) const override;
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view defaultText, std::size_t bufferLength) const override;
    bool writeText(std::string_view section, std::string_view key, std::string_view value) override;
    bool writeTexts(std::span<const SettingsValue> values) override {
        return file_.writeTexts(values);
    }

  private:
    MemorySettingsFile& file_;
    Journal& journal_;
};

}  // namespace nwmp::testing
