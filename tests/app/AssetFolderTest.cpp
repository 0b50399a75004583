#include "app/AssetFolder.hpp"

#include "support/Files.hpp"

#include <filesystem>
#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;

const std::string kInstalledData = "../share/pellowick";

TEST(AssetFolderTest, LooksBesideTheProgramFirstThenInTheInstalledDataFolder) {
    const fs::path root = makeTempFolder("assets");
    fs::create_directories(root / "usr/bin");
    fs::create_directories(root / "usr/share/pellowick/Assets");
    EXPECT_EQ(AssetFolder::find(root / "usr/bin", kInstalledData), root / "usr/share/pellowick");

    fs::create_directories(root / "usr/bin/Assets");
    EXPECT_EQ(AssetFolder::find(root / "usr/bin", kInstalledData), root / "usr/bin");
    fs::remove_all(root);
}

} // namespace
