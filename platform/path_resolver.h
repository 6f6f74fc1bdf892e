// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ascii.h"
#include "platform/current_directories.h"
#include "platform/directory_index_cache.h"
#include "platform/drive_map.h"
#include "platform/fault_injector.h"
#include "platform/folder_listing.h"
#include "platform/resolved_path.h"
#include "platform/volume_letters.h"
#include "platform/win_path.h"

#include <optional>
#include <sys/types.h>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Windows paths to host paths and back: the drive through the drive map, a relative path through
// the current directories, each name matched as Windows compares names. A drive that a fault has
// pulled out resolves nothing. What it reads of directories it keeps a moment, in its own cache.
// A letter with no drive behind it may be a volume mounted a moment ago: the volumes are looked at
// again before it is given up, as the system would have lettered the new disk by now.
class PathResolver {
public:
    PathResolver(const DriveMap& drives, VolumeLetters& volumes, const CurrentDirectories& directories,
        const FaultInjector& faults);

    WinPath absolute(const std::string& winPath) const { return m_directories.absolute(winPath); }
    std::string expand(const std::string& winPath) const { return absolute(winPath).text(); }

    // The host directory of a mapped drive; readyRoot also wants it there and readable (a disk in
    // the drive).
    std::optional<std::string> mappedRoot(char letter) const;
    std::optional<std::string> readyRoot(char letter) const;

    // nullopt for a drive that is not mapped, or a name Windows can't spell; on a drive that is
    // not ready the path resolves but is not found.
    std::optional<ResolvedPath> resolve(const std::string& winPath) const;
    // Resolves Windows-1252 components under `root`. Each component that exists with its exact name
    // is taken as is; otherwise the entry matching it ignoring ASCII case (first in byte order);
    // components that don't exist keep the case given. nullopt for a name Windows can't spell
    // (wildcards, reserved characters, control bytes). A '?' is no wildcard but what a listing
    // gave a host name with characters Windows can't hold: such a name is the one entry that lists
    // by it, and nullopt when two do.
    std::optional<ResolvedPath> resolveUnder(const std::string& root, const std::vector<std::string>& parts) const;
    // S_IFREG, S_IFDIR … of what the path names (through links); 0 for nothing. A scan asks this of
    // every companion file, most of them missing, so it builds no resolution where it can help it.
    mode_t kind(const std::string& winPath) const;
    // The same once the exact spelling is known to be missing.
    std::optional<ResolvedPath> resolveMissing(const std::string& root, const std::vector<std::string>& parts) const;
    // The host path of the components spelled exactly as given (no look-up); "" for a name
    // Windows can't spell.
    static std::string exactHost(const std::string& root, const std::vector<std::string>& parts);

    // The host path of an existing file under the name its directory holds it by. A file system
    // that ignores case reaches the file through any spelling, and a rename onto that spelling
    // would rename the file too.
    std::string spelledAsOnDisk(const ResolvedPath& path) const;

    // Through the mapped directory that is the longest prefix: /home/alice/roms -> "D:\roms".
    std::optional<std::string> windowsPath(const std::string& hostPath) const;

    // Entries of this drive whose location, links followed, lies outside the drive's directory are
    // no files there: a removable disk holds only what is on it. One drive at a time; 0 for none.
    void keepLinksWithin(char letter) { m_confined = letter ? asciiLower(letter) : 0; }
    // `host` is where `winPath` resolved to, and it leads out of the confined drive's directory.
    bool leavesDrive(const std::string& winPath, const std::string& host) const;

    // Drops what is remembered of directory contents, so the next look-up sees what other programs
    // did meanwhile; every change the program makes calls it too.
    void forgetListings() const
    {
        m_listings.clear();
        m_held.clear();
    }

    // From now until released (or forgotten), the kind and name on disk of a file in the folder
    // `winDir` (absolute, ending in a separator) come from one listing of it, read now. A scan asks
    // for every game's companion files, most of them missing; this answers them without a call each.
    void holdListing(const std::string& winDir) const;
    void releaseListings() const { m_held.clear(); }
    // What a held listing says of the file `winPath`; nullopt where none is held for its folder or
    // only the host can tell.
    std::optional<FolderListing::Entry> heldEntry(const std::string& winPath) const;

private:
    // The last directory a kind query went through, as its Windows text, under which drive root,
    // and what it came to: spelling a directory exactly depends on nothing else, so the companion
    // files of one game are checked without taking their common directory apart again.
    struct DirectoryMemo {
        std::string winDir; // up to and with its last separator, with a drive and a root
        std::string root;
        std::vector<std::string> parts;
        std::string exactHost; // "" when a name in it can't be spelled
    };

    mode_t kindOf(const std::string& winPath) const;
    bool onConfinedDrive(const std::string& winPath) const;
    std::string findEntry(const std::string& dir, const std::string& name) const;
    std::optional<ResolvedPath> resolveListed(const std::string& root, const std::vector<std::string>& parts) const;
    static std::optional<std::string> listedEntry(const std::string& dir, const std::string& winName);
    const DirectoryMemo* directoryOf(std::string_view winDir, const std::string& root) const;
    mode_t kindAt(const std::string& exact, const std::string& root, const std::vector<std::string>& dirParts,
        std::string_view name) const;

    const DriveMap& m_drives;
    VolumeLetters& m_volumes;
    const CurrentDirectories& m_directories;
    const FaultInjector& m_faults;
    mutable DirectoryIndexCache m_listings;
    mutable DirectoryMemo m_directory;
    // A held listing, the drive root it was read under and the drive then confined: a drive pulled
    // out or mapped elsewhere, or other confinement, and it no longer answers.
    struct HeldListing {
        std::string winDir;
        std::string root;
        char confined;
        FolderListing listing;
    };
    mutable std::vector<HeldListing> m_held;
    char m_confined { 0 };
};

}
