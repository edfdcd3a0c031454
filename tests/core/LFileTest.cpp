#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/LFile.h"

namespace {

// A fresh folder under the temporary directory, removed afterwards.
class LFileFolder : public ::testing::Test {
  protected:
    std::string root;

    void SetUp() override {
        char pattern[] = "/tmp/ovlib_core_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
    }
    void TearDown() override {
        const std::string command = "rm -rf '" + root + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
    std::string makeFile(const std::string& relative) {
        const std::string path = root + "/" + relative;
        FILE* f = std::fopen(path.c_str(), "wb");
        EXPECT_NE(f, nullptr);
        if (f) {
            std::fputs("x", f);
            std::fclose(f);
        }
        return path;
    }
};

// Records what the dialogs were asked and answers as told.
class FakeDialogs : public LFileDialogProvider {
  public:
    std::string answer;
    std::string lastCall, lastType, lastPattern;

    std::string openFile(const std::string& typeName, const std::string& pattern) override {
        return record("open", typeName, pattern);
    }
    std::string saveFile(const std::string& typeName, const std::string& pattern) override {
        return record("save", typeName, pattern);
    }

  private:
    std::string record(const char* call, const std::string& typeName, const std::string& pattern) {
        lastCall = call;
        lastType = typeName;
        lastPattern = pattern;
        return answer;
    }
};

} // namespace

// --- Existence ------------------------------------------------------------

TEST_F(LFileFolder, ExistingFileInSubfolder) {
    ASSERT_EQ(mkdir((root + "/data").c_str(), 0755), 0);
    const std::string path = makeFile("data/fly3.tga");
    EXPECT_TRUE(LFile::fileExist(path));
    // Separators are used as given on this platform
    EXPECT_FALSE(LFile::fileExist(root + "\\data\\fly3.tga"));
}

TEST_F(LFileFolder, MissingFileDoesNotExist) {
    EXPECT_FALSE(LFile::fileExist(root + "/nothing.axv"));
    EXPECT_FALSE(LFile::fileExist(""));
}

TEST_F(LFileFolder, FolderDoesNotCountAsFile) {
    ASSERT_EQ(mkdir((root + "/data").c_str(), 0755), 0);
    EXPECT_FALSE(LFile::fileExist(root + "/data"));
    EXPECT_FALSE(LFile::fileExist(root));
}

TEST_F(LFileFolder, AFifoIsAnsweredWithoutWaitingForAWriter) {
    const std::string path = root + "/pipe.axv";
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    EXPECT_TRUE(LFile::fileExist(path));
}

TEST_F(LFileFolder, UnreadableFileDoesNotExist) {
    const std::string path = makeFile("locked.axv");
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    if (access(path.c_str(), R_OK) == 0)
        GTEST_SKIP() << "running with rights that read any file";
    EXPECT_FALSE(LFile::fileExist(path));
}

// --- The program's folder ---------------------------------------------------

TEST(LFileExePath, FolderOfTheTestBinary) {
    const std::string folder = LFile::getExePath();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder[0], '/');
    EXPECT_NE(folder.back(), '/');
    EXPECT_TRUE(LFile::fileExist(folder + "/core_tests"));
}

// --- Extensions -------------------------------------------------------------

TEST(LFileExtension, LowerCaseTextAfterLastDot) {
    EXPECT_EQ(LFile::getFileExtension("fly3.TGA"), "tga");
    EXPECT_EQ(LFile::getFileExtension("run.backup.AXV"), "axv");
    EXPECT_EQ(LFile::getFileExtension("/home/user/webs/run1.axv"), "axv");
}

TEST(LFileExtension, EdgesOfTheName) {
    EXPECT_EQ(LFile::getFileExtension("araneus"), "");
    EXPECT_EQ(LFile::getFileExtension(""), "");
    EXPECT_EQ(LFile::getFileExtension("name."), "");
    EXPECT_EQ(LFile::getFileExtension(".Hidden"), "hidden");
    // A dot in a folder name counts when the file name has none
    EXPECT_EQ(LFile::getFileExtension("webs.d/Run"), "d/run");
}

// --- Dialogs ----------------------------------------------------------------

TEST(LFileDialogs, WithoutProviderGiveEmptyString) {
    LFile::setDialogProvider(nullptr);
    EXPECT_EQ(LFile::OpenFileDialog("Arachnovix File", "*.axv"), "");
    EXPECT_EQ(LFile::SaveFileDialog("Arachnovix File", "*.axv"), "");
}

TEST(LFileDialogs, DelegateToInstalledProvider) {
    FakeDialogs dialogs;
    LFile::setDialogProvider(&dialogs);

    dialogs.answer = "/home/user/run1.axv";
    EXPECT_EQ(LFile::OpenFileDialog("Arachnovix File", "*.axv"), "/home/user/run1.axv");
    EXPECT_EQ(dialogs.lastCall, "open");
    EXPECT_EQ(dialogs.lastType, "Arachnovix File");
    EXPECT_EQ(dialogs.lastPattern, "*.axv");

    dialogs.answer = "/home/user/run2.axv";
    EXPECT_EQ(LFile::SaveFileDialog("Arachnovix File", "*.axv"), "/home/user/run2.axv");
    EXPECT_EQ(dialogs.lastCall, "save");

    // Cancelling
    dialogs.answer = "";
    EXPECT_EQ(LFile::OpenFileDialog("Arachnovix File", "*.axv"), "");
    EXPECT_EQ(LFile::SaveFileDialog("Arachnovix File", "*.axv"), "");

    LFile::setDialogProvider(nullptr);
    dialogs.answer = "/should/not/be/asked";
    EXPECT_EQ(LFile::OpenFileDialog("Arachnovix File", "*.axv"), "");
}
