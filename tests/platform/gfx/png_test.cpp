#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/gfx/png.h"

namespace kes::gfx {
namespace {

class PngTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A fresh folder per run, so runs side by side do not share files.
        dir = std::filesystem::temp_directory_path() /
              ("kes_png_" + std::to_string(std::random_device{}()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

TEST_F(PngTest, WrittenPicturesReadBackExactly) {
    Surface s(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) s.set_pixel(x, y, Color::from_rgb(x * 50, y * 100, 255 - x * 40));
    s.set_raw_pixel(4, 2, 0x00123456);  // a never-drawn pixel keeps its zero alpha
    const std::string path = (dir / "a.png").string();
    std::string error;
    ASSERT_TRUE(write_png(s, path, &error)) << error;
    const auto back = read_png(path, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_TRUE(back->same_pixels(s));
}

TEST_F(PngTest, FailuresAreReportedWithAReason) {
    std::string error;
    EXPECT_FALSE(read_png((dir / "missing.png").string(), &error));
    EXPECT_NE(error.find("missing.png"), std::string::npos);

    const std::string junk = (dir / "junk.png").string();
    std::ofstream(junk) << "not a picture at all";
    error.clear();
    EXPECT_FALSE(read_png(junk, &error));
    EXPECT_FALSE(error.empty());

    // A PNG cut short after its header.
    const std::string good = (dir / "good.png").string();
    ASSERT_TRUE(write_png(Surface(64, 64, 0xFF336699), good));
    std::filesystem::resize_file(good, 60);
    error.clear();
    EXPECT_FALSE(read_png(good, &error));
    EXPECT_FALSE(error.empty());

    error.clear();
    EXPECT_FALSE(write_png(Surface(2, 2), (dir / "no" / "such" / "dir.png").string(), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(write_png(Surface(), (dir / "empty.png").string()));
}

}  // namespace
}  // namespace kes::gfx
