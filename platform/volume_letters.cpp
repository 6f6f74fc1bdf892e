// SPDX-License-Identifier: MIT
#include "platform/volume_letters.h"

#include "platform/ascii.h"
#include "platform/atomic_file.h"
#include "platform/posix_io.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

const char* const VolumeLetters::addedComment
    = "; Added by Tavisco: the letters it gave to mounted volumes, so that each keeps its own";

namespace {

std::string pinLine(const DrivePin& pin)
{
    return std::string(1, pin.letter) + "=" + pin.hostDir;
}

// A folder whose name a pin line would not give back as it is (a line break in it, blanks at its
// end) keeps its letter for this run only.
bool spellable(const DrivePin& pin)
{
    auto read = DriveMap::pinOf(pinLine(pin), "/");
    return pin.hostDir.find_first_of("\r\n") == std::string::npos && read && read->hostDir == pin.hostDir;
}

// The whole file; "" when there is none, nothing when it is there but can't be read (then it must
// not be replaced).
std::optional<std::string> readWhole(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
    std::string text;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, std::size_t(n));
    ::close(fd);
    return n < 0 ? std::nullopt : std::optional<std::string>(std::move(text));
}

// The last line of text that ends with a line break, without that break.
std::string_view lastLine(std::string_view text)
{
    text.remove_suffix(1);
    auto previous = text.rfind('\n');
    return previous == std::string_view::npos ? text : text.substr(previous + 1);
}

// A drives.ini that is a link to another file is rewritten where it points.
std::string realTarget(const std::string& path)
{
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string target = real;
    std::free(real);
    return target;
}

}

VolumeLetters::VolumeLetters(DriveMap& drives)
    : m_drives(drives)
{
}

void VolumeLetters::watch(std::vector<std::string> parents, std::string iniPath)
{
    m_parents = std::move(parents);
    m_iniPath = std::move(iniPath);
}

void VolumeLetters::stop()
{
    m_parents.clear();
    m_iniPath.clear();
}

int VolumeLetters::notice()
{
    if (m_parents.empty())
        return 0;
    std::vector<DrivePin> added;
    for (const std::string& volume : DriveMap::volumesUnder(m_parents)) {
        if (auto letter = m_drives.assignVolume(volume))
            added.push_back({ *letter, DriveMap::normalHostPath(volume) });
    }
    if (!added.empty())
        remember(added);
    return int(added.size());
}

void VolumeLetters::remember(const std::vector<DrivePin>& pins) const
{
    std::vector<DrivePin> lines;
    for (const DrivePin& pin : pins) {
        if (spellable(pin))
            lines.push_back(pin);
    }
    if (m_iniPath.empty() || lines.empty())
        return;
    std::string target = realTarget(m_iniPath);
    auto text = readWhole(target);
    if (!text)
        return;
    struct stat st {};
    bool exists = ::stat(target.c_str(), &st) == 0;
    // Not written means not remembered: the letters still hold for this run. A file the user may
    // not write is not replaced behind his back.
    if (exists && readOnly(target, st))
        return;
    AtomicFile file(target);
    if (file.open(exists ? st.st_mode & 07777 : 0644) && file.write(withPins(*text, lines)))
        file.commit(true);
}

std::string VolumeLetters::withPins(std::string_view text, const std::vector<DrivePin>& pins)
{
    const std::string eol = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
    std::string added;
    for (const DrivePin& pin : pins)
        added += pinLine(pin) + eol;

    // Below the program's comment, after the pins that follow it.
    std::optional<std::size_t> insertAt;
    bool inBlock = false;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        std::string line(text.substr(start, next - start));
        if (trimmed(line) == addedComment) {
            inBlock = true;
            insertAt = next;
        } else if (inBlock && DriveMap::pinOf(line, "/")) {
            insertAt = next;
        } else {
            inBlock = false;
        }
        start = next;
    }

    std::string out(text);
    bool openLast = !out.empty() && out.back() != '\n';
    if (insertAt) {
        // The last pin may be the file's last line, with no line break yet.
        if (*insertAt == out.size() && openLast) {
            out += eol;
            insertAt = out.size();
        }
        out.insert(*insertAt, added);
        return out;
    }
    if (openLast)
        out += eol;
    // A blank line between what was there and the program's part.
    if (!out.empty() && !trimmed(lastLine(out)).empty())
        out += eol;
    return out + addedComment + eol + added;
}

}
