// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "catalogue/text.h"
#include "platform/filesystem.h"
#include "toolkit/file_errors.h"

#include <algorithm>

namespace {

constexpr std::size_t headerSize = 64;
constexpr long long bytesPerMbit = 131072;
// A category is one short line; a file holding no line break (a crash's zeros) is not read whole.
constexpr std::size_t categoryLength = 255;

// The header bytes at offset and offset + 1 in the image's own byte order.
std::string pair(const std::vector<unsigned char>& h, std::size_t offset, bool swapped)
{
    char a = static_cast<char>(h[offset]), b = static_cast<char>(h[offset + 1]);
    return swapped ? std::string { b, a } : std::string { a, b };
}

std::string upToNul(const std::string& text)
{
    return text.substr(0, text.find('\0'));
}

std::string titleField(const std::vector<unsigned char>& h, bool swapped)
{
    std::string title;
    for (std::size_t offset = 32; offset < 52; offset += 2)
        title += pair(h, offset, swapped);
    title = upToNul(title);
    return trim(title).empty() ? "-                   " : title;
}

std::string countryField(unsigned char code)
{
    if (code <= 32)
        return "?      ";
    switch (code) {
    case 'E': return "USA    ";
    case 'F': return "France ";
    case 'P': return "Europe ";
    case 'D': return "Germany";
    case 'J': return "Japan  ";
    default: return std::string(1, static_cast<char>(code));
    }
}

std::string idField(const std::vector<unsigned char>& h, bool swapped)
{
    std::string id = upToNul(pair(h, 60, swapped));
    return trim(id).empty() ? "??" : id;
}

}

std::string TForm1::getfield(const std::string& text, char separator, int n)
{
    int field = 1;
    std::string result;
    for (char c : text) {
        if (c == separator)
            ++field;
        else if (field == n)
            result += c;
    }
    return trim(result);
}

bool TForm1::othersfile(const std::string& path, const std::string& imageDir) const
{
    auto& fs = platform::FileSystem::instance();
    auto onDisk = fs.nameOnDisk(path);
    if (!onDisk || *onDisk == fileNameOf(path))
        return false;
    // Only the extension's letter case differs: named after this game all the same.
    std::string base = getfield(*onDisk, '.', 1);
    if (base == getfield(fileNameOf(path), '.', 1))
        return false;
    auto images = fs.listFiles(imageDir, filelist->Mask());
    return images && std::any_of(images->begin(), images->end(),
        [&](const std::string& image) { return getfield(image, '.', 1) == base; });
}

bool TForm1::ownsfile(const std::string& path, const std::string& imageDir) const
{
    return platform::FileSystem::instance().fileExists(path) && !othersfile(path, imageDir);
}

void TForm1::writablefor(const std::string& path) const
{
    if (othersfile(path, shownimages()))
        throw tk::EFCreateError("Cannot create file \"" + path + "\".");
}

void TForm1::getfileinfo(const std::string& fileName)
{
    auto& fs = platform::FileSystem::instance();
    std::string base = getfield(fileName, '.', 1);
    fileinfo->Lines().Clear();

    // Which table is being scanned decides where the image and its companions lie. A root
    // directory is listed with its backslash already, like the Zip root.
    const std::string& listed = filelist->Directory();
    bool onZip = listed == ZipRoot;
    bool inArchive = !onZip && (listed + "\\" == RomPath || listed == RomPath);
    std::string imageDir = onZip ? ZipRoot : RomPath;
    std::string companionDir = onZip ? ZipRoot : RamPath;

    std::optional<platform::HeaderRead> header;
    if (onZip || inArchive)
        if (auto read = fs.readHeader(imageDir + fileName, headerSize))
            header = std::move(*read);
    if (!header || header->bytes.size() < headerSize) {
        fileinfo->Lines().Add("Error !!!");
        return;
    }
    auto& h = header->bytes;
    // Images also circulate with every 32-bit word reversed; read as the cartridge's own order.
    if (h[0] == 0x40 && h[1] == 0x12 && h[2] == 0x37 && h[3] == 0x80)
        for (std::size_t i = 0; i + 3 < headerSize; i += 4)
            std::reverse(h.begin() + static_cast<std::ptrdiff_t>(i), h.begin() + static_cast<std::ptrdiff_t>(i + 4));
    bool swapped = h[1] != 0x37;

    fileinfo->Lines().Add(titleField(h, swapped));
    fileinfo->Lines().Add(countryField(swapped ? h[63] : h[62]));
    fileinfo->Lines().Add(padLeft(static_cast<long long>(header->length / bytesPerMbit), 3));

    list->Lines().Clear();
    list->Lines().Add("none");
    std::string catFile = RamPath + base + ".cat";
    if (ownsfile(catFile, imageDir)) {
        if (auto head = fs.readHeader(catFile, categoryLength))
            list->Lines().SetText(std::string(head->bytes.begin(), head->bytes.end()));
    }
    std::string category = list->Lines().Count() > 0 ? list->Lines()[0] : std::string();
    addcat(category);
    fileinfo->Lines().Add(category);

    std::string files;
    static const char* const companions[][2] = {
        { ".eep", "EEP  " }, { ".ram", "RAM  " }, { ".zcc", "ZCC  " }, { ".ips", "IPS  " }
    };
    // A flash cart's save in saves\ counts as the save it stands for.
    std::string cardSave = onZip ? cardsavefor(base) : std::string();
    for (const auto& [ext, tag] : companions)
        if (cardSave == ext || ownsfile(companionDir + base + ext, imageDir))
            files += tag;
    fileinfo->Lines().Add(trim(files).empty() ? "-" : files);

    fileinfo->Lines().Add(fileName);
    fileinfo->Lines().Add(idField(h, swapped));
}
