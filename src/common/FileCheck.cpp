#include "common/FileCheck.hpp"

#include "app/DisplayCheck.hpp"
#include "i18n/Translator.hpp"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Err.hpp>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string bytesLimitProblem(std::uintmax_t size, std::uintmax_t largest) {
    return fill(tr("is {1} bytes; the game reads at most {2}"),
                {std::to_string(size), std::to_string(largest)});
}

std::uint32_t bigEndian(const unsigned char* bytes) {
    return (std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16) |
           (std::uint32_t(bytes[2]) << 8) | std::uint32_t(bytes[3]);
}

} // namespace

std::string FileCheck::problemWith(const std::string& path, std::uintmax_t largest) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        // A link loop is there but can never be read; anything else the reader reports as missing.
        return errno == ELOOP ? tr("is not a regular file") : "";
    }
    if (S_ISDIR(info.st_mode)) {
        return tr("is a folder");
    }
    if (!S_ISREG(info.st_mode)) {
        return tr("is not a regular file");
    }
    const auto size = static_cast<std::uintmax_t>(info.st_size);
    return size > largest ? bytesLimitProblem(size, largest) : "";
}

bool FileCheck::mayRead(const std::string& path, std::uintmax_t largest) {
    const std::string problem = problemWith(path, largest);
    if (!problem.empty()) {
        sf::err() << path << ": " << problem << std::endl;
    }
    return problem.empty();
}

std::string FileCheck::read(const std::string& path, std::uintmax_t largest, std::string& text) {
    text.clear();
    std::string problem = problemWith(path, largest);
    if (!problem.empty()) {
        return problem;
    }
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return fill(tr("cannot be read: {1}"), {std::strerror(errno)});
    }
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem = tr("is not a regular file");
    }
    char buffer[8192];
    while (problem.empty()) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            problem = fill(tr("cannot be read: {1}"), {std::strerror(errno)});
        } else if (count == 0) {
            break;
        } else if (text.size() + static_cast<std::size_t>(count) > largest) {
            problem = fill(tr("grew past {1} bytes while it was read"), {std::to_string(largest)});
        } else {
            text.append(buffer, static_cast<std::size_t>(count));
        }
    }
    ::close(descriptor);
    if (!problem.empty()) {
        text.clear();
    }
    return problem;
}

std::optional<sf::Vector2u> FileCheck::pngSize(const std::string& path) {
    // Signature (8 bytes), then the IHDR chunk: length (4), type (4), width (4), height (4).
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::array<unsigned char, 24> header{};
    std::ifstream file(path, std::ios::binary);
    if (!file.read(reinterpret_cast<char*>(header.data()), header.size())) {
        return std::nullopt;
    }
    if (!std::equal(std::begin(kSignature), std::end(kSignature), header.begin()) ||
        std::string(header.begin() + 12, header.begin() + 16) != "IHDR") {
        return std::nullopt;
    }
    return sf::Vector2u(bigEndian(&header[16]), bigEndian(&header[20]));
}

std::string FileCheck::sizeProblem(sf::Vector2u size, unsigned largestSide) {
    if (size.x <= largestSide && size.y <= largestSide) {
        return "";
    }
    return fill(tr("is {1}x{2} pixels, more than {3} a side"),
                {std::to_string(size.x), std::to_string(size.y), std::to_string(largestSide)});
}

std::string FileCheck::pictureProblem(const std::string& path, unsigned largestSide) {
    const std::string problem = problemWith(path);
    if (!problem.empty()) {
        return problem;
    }
    const std::optional<sf::Vector2u> size = pngSize(path);
    return size ? sizeProblem(*size, largestSide) : "";
}

bool FileCheck::mayLoadPicture(const std::string& path, unsigned largestSide) {
    const std::string problem = pictureProblem(path, largestSide);
    if (!problem.empty()) {
        sf::err() << path << ": " << problem << std::endl;
    }
    return problem.empty();
}

unsigned FileCheck::largestTextureSide() {
    static const unsigned largest = [] {
        if (!DisplayCheck::canOpen()) {
            return kLargestPictureSide;
        }
        return std::min(kLargestPictureSide, sf::Texture::getMaximumSize());
    }();
    return largest;
}
