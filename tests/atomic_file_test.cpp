// Whether an existing file could be replaced: what the output file chooser
// asks before it accepts a name.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "atomic_file.hpp"

namespace tracemill {
namespace {

namespace fs = std::filesystem;

class CanReplace : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tracemill-replace-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    std::string file(const std::string& name, const std::string& content = "old") {
        const fs::path p = dir_ / name;
        std::ofstream(p) << content;
        return p.string();
    }
    fs::path dir_;
};

TEST_F(CanReplace, AWritableFileInAWritableFolder) {
    const std::string p = file("a.dxf");
    EXPECT_TRUE(can_replace(p));
    // Asking changes nothing.
    std::ifstream in(p);
    std::string content;
    in >> content;
    EXPECT_EQ(content, "old");
}

TEST_F(CanReplace, NotADirectoryAndNotANameThatDoesNotExist) {
    fs::create_directory(dir_ / "folder.dxf");
    EXPECT_FALSE(can_replace((dir_ / "folder.dxf").string()));
    EXPECT_FALSE(can_replace((dir_ / "missing.dxf").string()));
}

TEST_F(CanReplace, ALinkIsJudgedByTheFileItNamesAndItsFolder) {
    fs::create_directory(dir_ / "real");
    const std::string target = file("real/b.dxf");
    fs::create_symlink(target, dir_ / "link.dxf");
    EXPECT_TRUE(can_replace((dir_ / "link.dxf").string()));
    // A link that points nowhere exists, and is replaced as a link.
    fs::create_symlink(dir_ / "nowhere.dxf", dir_ / "dangling.dxf");
    EXPECT_TRUE(path_exists((dir_ / "dangling.dxf").string()));
    EXPECT_TRUE(can_replace((dir_ / "dangling.dxf").string()));
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    fs::permissions(dir_ / "real", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(can_replace((dir_ / "link.dxf").string()));
    fs::permissions(dir_ / "real", fs::perms::owner_all);
}

TEST_F(CanReplace, AReadOnlyFileOrFolderIsKept) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    const std::string ro = file("ro.dxf");
    fs::permissions(ro, fs::perms::owner_read);
    EXPECT_FALSE(can_replace(ro));
    const std::string inside = file("in.dxf");
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(can_replace(inside));
}

// Writes of every size, past the stretches handed to the disk early, arrive
// whole and in order.
TEST_F(CanReplace, ALargeFileWrittenInPiecesArrivesWhole) {
    std::string content;
    for (std::size_t i = 0; content.size() < (std::size_t{12} << 20); ++i)
        content += std::to_string(i * 2654435761u) + (i % 7 == 0 ? "\r\n" : " ");
    const std::string p = file("big.dxf");
    AtomicFileWriter w(p);
    ASSERT_TRUE(w.ok());
    for (std::size_t at = 0, n = 1; at < content.size(); at += n, n = n * 3 % 1000003 + 1)
        w.write(std::string_view(content).substr(at, n));
    ASSERT_TRUE(w.commit()) << w.error();
    std::ifstream in(p, std::ios::binary);
    const std::string back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(back == content) << back.size() << " bytes of " << content.size();
}

}  // namespace
}  // namespace tracemill
