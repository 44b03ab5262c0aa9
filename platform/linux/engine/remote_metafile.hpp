#pragma once

// Metafiles handed out by URL, as Internet radio does: libmpv cannot read them, so the engine
// fetches the document itself before it reads it. The fetch is bounded like a metafile on disk
// (its size) and in time, so that a server that sends endlessly or never answers costs nothing
// but the wait.

#include <QtCore/QObject>
#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "platform/linux/engine/asx_playlist.hpp"

namespace nwmp::engine {

// True for http and https URLs, the ones the engine fetches.
bool isWebUrl(const std::string& name);

// True for an http or https URL whose path names a metafile; a query may follow the name
// ("http://host/listen.asx?station=1").
bool isWebMetafileUrl(const std::string& name);

struct FetchedMetafile {
    std::string document;
    std::string folderUrl;  // where relative references lead, after any redirection
};

struct FetchLimits {
    std::size_t maxBytes = kMaxMetafileBytes;
    std::chrono::milliseconds time{15000};
};

// Fetches url without waiting; done runs once on the GUI thread with the document, or with
// nothing when the fetch failed, the server refused, or a limit was reached. done never runs
// once context is gone, and the fetch ends with it.
void fetchMetafile(const std::string& url, QObject* context,
                   std::function<void(std::optional<FetchedMetafile>)> done,
                   FetchLimits limits = {});

}  // namespace nwmp::engine
