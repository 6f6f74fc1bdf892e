// SPDX-License-Identifier: MIT
#include "catalogue/text.h"

#include "platform/ascii.h"

#include <climits>

std::string trim(const std::string& text)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t begin = 0, end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string lowerAZ(const std::string& text)
{
    return platform::asciiLowerCopy(text);
}

std::string upperAZ(const std::string& text)
{
    std::string upper = text;
    for (char& c : upper)
        c = platform::asciiUpper(c);
    return upper;
}

std::optional<int> readInteger(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i == text.size())
        return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

std::string padLeft(long long number, std::size_t width, char pad)
{
    std::string digits = std::to_string(number);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), pad);
    return digits;
}

std::string fileNameOf(const std::string& path)
{
    return path.substr(path.rfind('\\') + 1);
}

std::string folderOf(const std::string& path)
{
    auto slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
