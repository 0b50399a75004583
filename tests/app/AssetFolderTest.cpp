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

    // An installed tree moved to another prefix finds its data where it now is.
    fs::remove(root / "usr/bin/Assets");
    fs::rename(root / "usr", root / "opt");
    EXPECT_EQ(AssetFolder::find(root / "opt/bin", kInstalledData), root / "opt/share/pellowick");
}

} // namespace
