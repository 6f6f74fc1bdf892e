#include "platform/resolved_path.h"

#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/posix_io.h"

#include <dirent.h>
#include <memory>
#include <string_view>
#include <sys/stat.h>

namespace platform {

namespace {

bool validComponent(std::string_view part)
{
    for (char c : part) {
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("<>:\"|?*").find(c) != std::string_view::npos)
            return false;
    }
    return true;
}

// The entry of `dir` called `name`, exactly or else ignoring ASCII case; "" when there is none.
std::string findEntry(const std::string& dir, const std::string& name)
{
    struct stat st {};
    if (::lstat(joinHost(dir, name).c_str(), &st) == 0)
        return name;
    std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(dir.c_str()), ::closedir);
    if (!handle)
        return {};
    std::string best;
    while (const dirent* entry = ::readdir(handle.get())) {
        std::string_view candidate = entry->d_name;
        if (equalIgnoringAsciiCase(candidate, name) && (best.empty() || candidate < best))
            best = candidate;
    }
    return best;
}

}

std::optional<ResolvedPath> ResolvedPath::resolve(const std::string& root, const std::vector<std::string>& parts)
{
    ResolvedPath path;
    path.host = root;
    bool found = true;
    for (const std::string& part : parts) {
        if (!validComponent(part))
            return std::nullopt;
        std::string name = cp1252ToUtf8(part);
        std::string onDisk = found ? findEntry(path.host, name) : std::string();
        found = !onDisk.empty();
        path.parent = path.host;
        path.givenName = name;
        path.names.push_back(found ? onDisk : name);
        path.host = joinHost(path.host, path.names.back());
    }
    return path;
}

}
