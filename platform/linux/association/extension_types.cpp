#include "platform/linux/association/extension_types.hpp"

#include <QMimeDatabase>
#include <QMimeType>
#include <QString>
#include <algorithm>

#include "platform/linux/association/desktop_entry_format.hpp"
#include "settings_tool/custom_extension.hpp"

namespace nwmp::xdg {
namespace {

// Types whose files run something when opened.
constexpr std::string_view kExecutableTypes[] = {
    "application/x-executable",        "application/x-sharedlib",  "application/x-desktop",
    "application/x-ms-dos-executable", "application/x-msdownload", "application/x-shellscript",
};

bool isOwnType(const QString& name) {
    return name.startsWith(QStringLiteral("application/x-norvalent-"));
}

}  // namespace

std::string asciiLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lower;
}

bool isAcceptableExtension(std::string_view extension) {
    // The core's check takes one leading dot off; here a dot is already a fault.
    return !extension.empty() && extension.size() <= 64 && extension.front() != '.' &&
           checkCustomExtension(extension).problem == ExtensionProblem::None;
}

std::vector<std::string> knownMimeTypes(std::string_view extension) {
    const QMimeDatabase database;
    const QString fileName =
        QStringLiteral("x.") +
        QString::fromUtf8(extension.data(), static_cast<qsizetype>(extension.size()));
    std::vector<std::string> types;
    for (const QMimeType& type : database.mimeTypesForFileName(fileName)) {
        if (!isOwnType(type.name())) {
            types.push_back(type.name().toStdString());
        }
    }
    return types;
}

bool includesExecutableType(const std::vector<std::string>& mimeTypes) {
    const QMimeDatabase database;
    for (const std::string& name : mimeTypes) {
        const QMimeType type = database.mimeTypeForName(QString::fromStdString(name));
        for (const std::string_view executable : kExecutableTypes) {
            const QString executableName =
                QString::fromUtf8(executable.data(), static_cast<qsizetype>(executable.size()));
            if (QString::fromStdString(name) == executableName ||
                (type.isValid() && type.inherits(executableName))) {
                return true;
            }
        }
    }
    return false;
}

std::string ownMimeType(std::string_view extension) {
    // '~' may end an extension but not a MIME type name.
    std::string name = "application/x-norvalent-" + asciiLower(extension);
    std::replace(name.begin(), name.end(), '~', '-');
    return name;
}

std::string ownPackageFileName(std::string_view extension) {
    return std::string(kOwnPrefix) + asciiLower(extension) + ".xml";
}

std::string ownPackageText(std::string_view extension) {
    // An acceptable extension holds only characters that need no escaping in XML.
    const std::string lower = asciiLower(extension);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" +
           ownMimeType(extension) +
           "\">\n"
           "    <comment>" +
           lower +
           " media file</comment>\n"
           "    <glob pattern=\"*." +
           lower +
           "\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

std::string ownGlobsEntry(std::string_view extension) {
    return std::string(":")
        .append(ownMimeType(extension))
        .append(":*.")
        .append(asciiLower(extension));
}

}  // namespace nwmp::xdg
