#include "storage/PadMappingsFile.hpp"

#include "input/Gamepad.hpp"
#include "support/ErrCapture.hpp"
#include "support/Files.hpp"

#include <SDL2/SDL.h>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
namespace fs = std::filesystem;

class PadMappingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Gamepad::startSdl());
        folder = makeTempFolder("pads");
        path = folder + "/gamecontrollerdb.txt";
    }
    void TearDown() override {
        fs::remove_all(folder);
        Gamepad::stopSdl();
    }

    // Adds the file's mappings to SDL as the game does; the work is the number of lines SDL is handed.
    std::size_t addToSdl() {
        std::size_t handed = 0;
        const std::size_t said = PadMappingsFile(path).addTo("Linux", [&handed](const std::string& line) {
            ++handed;
            SDL_ClearError();
            return SDL_GameControllerAddMapping(line.c_str()) < 0 ? std::string(SDL_GetError()) : "";
        });
        EXPECT_EQ(said, handed);
        return handed;
    }
    static std::string guid(int pad) {
        char text[33];
        std::snprintf(text, sizeof text, "03000000%08x00000000%08x", pad, pad);
        return text;
    }
    static std::string mapping(int pad, const std::string& name = "Pad") {
        return guid(pad) + "," + name + ",a:b0,b:b1,leftx:a0,lefty:a1,platform:Linux,";
    }

    std::string folder;
    std::string path;
};

TEST_F(PadMappingsFileTest, EachPadReachesSdlOnceUpToTheCapAndABadFileGetsAFewLinesWithoutControlBytes) {
    std::ofstream(path) << "# mine\n\n"
                        << mapping(0xab, "Old") << "\n"
                        << guid(2) << ",Other system,a:b0,platform:Windows,\n"
                        << "03000000000000AB00000000000000AB,For all systems,a:b0,\n"
                        << mapping(0xab, "Newest") << "\r\n";
    ErrCapture errors;
    EXPECT_EQ(addToSdl(), 1u);
    char* known = SDL_GameControllerMappingForGUID(SDL_JoystickGetGUIDFromString(guid(0xab).c_str()));
    ASSERT_NE(known, nullptr);
    EXPECT_NE(std::string(known).find(",Newest,"), std::string::npos) << known;
    SDL_free(known);
    EXPECT_EQ(SDL_GameControllerMappingForGUID(SDL_JoystickGetGUIDFromString(guid(2).c_str())), nullptr);
    EXPECT_EQ(errors.text(), "");

    // A file far larger than any real one: adding every line would take SDL minutes.
    constexpr int kPads = 60000;
    std::ofstream big(path);
    for (int pad = 0; pad < kPads; ++pad) {
        big << mapping(pad) << "\n";
    }
    big.close();
    EXPECT_EQ(addToSdl(), PadMappingsFile::kMostPads);
    EXPECT_EQ(errors.text(), path + ": has mappings for 60000 pads; only the first " +
                                 std::to_string(PadMappingsFile::kMostPads) + " are used\n");

    // A file of bytes, or no file at all.
    std::string noise;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte != '\n' && byte != ',' && byte != '\r') {
            noise += static_cast<char>(byte);
        }
    }
    std::ofstream binary(path, std::ios::binary);
    for (int line = 0; line < 1000; ++line) {
        binary << line << "," << noise << "\n";
    }
    binary.close();
    errors.clear();
    EXPECT_EQ(addToSdl(), 1000u);
    const std::string said = errors.text();
    EXPECT_EQ(said.rfind(path + ":1: Couldn't parse name from 0,\\x01\\x02", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), PadMappingsFile::kBadLinesNamed + 1) << said;
    EXPECT_NE(said.find("\n" + path + ": 997 more lines SDL cannot read are skipped\n"), std::string::npos)
        << said;
    EXPECT_TRUE(std::all_of(said.begin(), said.end(), [](char c) {
        return c == '\n' || (static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F);
    })) << said;

    const std::pair<std::function<void()>, std::string> unusable[] = {
        {[&] { fs::create_symlink("gamecontrollerdb.txt", path); }, "is not a regular file"},
        {[&] { ::mkfifo(path.c_str(), 0600); }, "is not a regular file"},
        {[&] { fs::create_directory(path); }, "is a folder"},
        {[&] { fs::create_symlink("nowhere", path); }, "cannot be read: No such file or directory"},
    };
    for (const auto& [makeIt, problem] : unusable) {
        fs::remove_all(path);
        makeIt();
        errors.clear();
        EXPECT_EQ(addToSdl(), 0u);
        EXPECT_EQ(errors.text(), path + ": " + problem + "; only SDL's own pad mappings are used\n");
    }
    fs::remove_all(path);
    errors.clear();
    EXPECT_EQ(addToSdl(), 0u);
    EXPECT_EQ(errors.text(), "") << "no file of the player's is no problem";
}

} // namespace
