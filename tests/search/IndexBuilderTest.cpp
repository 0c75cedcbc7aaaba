#include <gtest/gtest.h>

#include "search/IndexBuilder.h"
#include "search/SearchTestSupport.h"

namespace tessaline {
namespace {

using test::TMemoryFileSystem;

class IndexBuilder : public ::testing::Test {
  protected:
    IndexBuilder() {
        folders_ = {L"S:\\Common\\", L"S:\\User\\", L"S:\\Win\\", L"S:\\Win\\Sys\\"};
        fs_.AddFile(L"S:\\Common\\b.lnk");
        fs_.AddFile(L"S:\\Common\\Deep\\Deeper\\d.lnk");
        fs_.AddFile(L"S:\\Common\\Tools\\c.msc");
        fs_.AddFile(L"S:\\Common\\Tools\\Default Programs.lnk");
        fs_.AddFile(L"S:\\Common\\Tools\\notes.txt");
        fs_.AddFile(L"S:\\Common\\a.exe");
        fs_.AddFile(L"S:\\User\\u.lnk");
        fs_.AddFile(L"S:\\Win\\w.exe");
        fs_.AddFile(L"S:\\Win\\w.msc");  // flat folders take .lnk and .exe only
        fs_.AddFile(L"S:\\Win\\W.EXE");  // extensions compare with case
        fs_.AddFile(L"S:\\Win\\Sys\\s.exe");
        setup_.Index = &index_;
        setup_.FileSystem = &fs_;
        setup_.Folders = folders_;
        setup_.BuildTable = [this] { return std::vector<std::wstring>{table_}; };
    }

    std::vector<std::wstring> Paths() {
        std::vector<std::wstring> paths;
        if (auto files = index_.ProgramFileIndex()) {
            for (size_t i = 0; i < files->Size(); ++i) {
                paths.push_back(files->Path(i));
            }
        }
        return paths;
    }

    TSearchFolders folders_;
    TMemoryFileSystem fs_;
    TSearchIndex index_;
    TIndexSetup setup_;
    std::wstring table_ = L"row";
    const std::atomic<bool> never_{false};
};

TEST_F(IndexBuilder, ProgramFilesInFolderOrderBreadthFirst) {
    ASSERT_TRUE(BuildSearchIndex(setup_, false, never_));
    EXPECT_TRUE(index_.IndexReady());
    EXPECT_EQ(Paths(), (std::vector<std::wstring>{L"S:\\Common\\b.lnk", L"S:\\Common\\a.exe",
                                                  L"S:\\Common\\Tools\\c.msc", L"S:\\Common\\Deep\\Deeper\\d.lnk",
                                                  L"S:\\User\\u.lnk", L"S:\\Win\\w.exe", L"S:\\Win\\Sys\\s.exe"}));
    const TIndexedFiles& files = *index_.ProgramFileIndex();
    EXPECT_EQ(files.BaseName(0), L"b");
    EXPECT_EQ(files.Extension(0), L".lnk");
}

// A folder the system could not name comes as "": the index goes on without it, and never lists what "" and "\\"
// would give (the current folder's files, the current drive's root), which would enter as relative paths.
TEST_F(IndexBuilder, AFolderTheSystemCouldNotNameIsSkipped) {
    fs_.AddFile(L"stray.lnk");
    fs_.AddFile(L"\\root.exe");
    setup_.Folders.UserPrograms = L"";
    setup_.Folders.Windows = L"\\";
    ASSERT_TRUE(BuildSearchIndex(setup_, false, never_));
    EXPECT_TRUE(index_.IndexReady());
    EXPECT_EQ(Paths(),
              (std::vector<std::wstring>{L"S:\\Common\\b.lnk", L"S:\\Common\\a.exe", L"S:\\Common\\Tools\\c.msc",
                                         L"S:\\Common\\Deep\\Deeper\\d.lnk", L"S:\\Win\\Sys\\s.exe"}));
}

// The names lie one after another in one string: each file must read back as its own, whatever its dots and case.
TEST(IndexedFiles, EachFileReadsBackItsOwnPathBaseNameAndExtension) {
    TIndexedFiles files;
    files.Add(L"loose.exe");
    files.BeginFolder(L"C:\\A\\");
    files.Add(L"Tool v1.2.lnk");
    files.Add(L"README");
    files.BeginFolder(L"C:\\Empty\\");
    files.BeginFolder(L"C:\\B\\");
    files.Add(L"zeta.Exe");
    ASSERT_EQ(files.Size(), 4u);
    EXPECT_EQ(files.Path(0), L"loose.exe");
    EXPECT_EQ(files.Path(1), L"C:\\A\\Tool v1.2.lnk");
    EXPECT_EQ(files.BaseName(1), L"Tool v1.2");
    EXPECT_EQ(files.UpperBaseName(1), L"TOOL V1.2");
    EXPECT_EQ(files.Extension(1), L".lnk");
    EXPECT_EQ(files.Path(2), L"C:\\A\\README");
    EXPECT_EQ(files.BaseName(2), L"README");
    EXPECT_EQ(files.Extension(2), L"");
    EXPECT_EQ(files.Path(3), L"C:\\B\\zeta.Exe");
    EXPECT_EQ(files.UpperBaseName(3), L"ZETA");
    EXPECT_EQ(files.Extension(3), L".Exe");
}

TEST_F(IndexBuilder, AProgramFolderThatCannotBeReadLeavesTheIndexNotReady) {
    setup_.Folders.UserPrograms = L"S:\\Missing\\";
    EXPECT_FALSE(BuildSearchIndex(setup_, false, never_));
    EXPECT_FALSE(index_.IndexReady());
    const std::atomic<bool> terminated{true};
    setup_.Folders = folders_;
    EXPECT_FALSE(BuildSearchIndex(setup_, false, terminated));
    EXPECT_FALSE(index_.IndexReady());
}

TEST_F(IndexBuilder, ATableOnlyBuildSwapsTheTableAndKeepsTheFiles) {
    ASSERT_TRUE(BuildSearchIndex(setup_, false, never_));
    const auto filesBefore = index_.ProgramFileIndex();
    const auto tableBefore = index_.ControlPanelTable();
    fs_.AddFile(L"S:\\Common\\new.lnk");
    table_ = L"translated row";
    ASSERT_TRUE(BuildSearchIndex(setup_, true, never_));
    EXPECT_EQ(index_.ProgramFileIndex(), filesBefore);
    EXPECT_EQ(*index_.ControlPanelTable(), std::vector<std::wstring>{L"translated row"});
    EXPECT_EQ(*tableBefore, std::vector<std::wstring>{L"row"});  // a reader's old table stays whole
}

TEST_F(IndexBuilder, ATableOnlyBuildBuildsTheFilesWhenTheFirstBuildNeverFinished) {
    ASSERT_TRUE(BuildSearchIndex(setup_, true, never_));
    EXPECT_TRUE(index_.IndexReady());
    EXPECT_EQ(Paths().size(), 7u);

    // A build that has finished is let go by the next one: none keeps the builds before it alive.
    auto fourth = std::make_unique<TIdx>(setup_, true, nullptr);
    fourth->WaitFor();
    TIdx fifth(setup_, true, std::move(fourth));
    EXPECT_FALSE(fifth.KeepsPrevious());
    fifth.WaitFor();
}

TEST_F(IndexBuilder, ThreadsRunOneAfterAnotherAndTheLastLanguageWins) {
    std::atomic<int> started{0};
    setup_.OnThreadStart = [&] { ++started; };
    auto full = std::make_unique<TIdx>(setup_, false, nullptr);
    setup_.BuildTable = [] { return std::vector<std::wstring>{L"second"}; };
    TIdx tableOnly(setup_, true, std::move(full));
    EXPECT_TRUE(tableOnly.TableOnly());
    tableOnly.WaitFor();
    EXPECT_TRUE(tableOnly.Finished());
    EXPECT_EQ(started.load(), 2);
    EXPECT_TRUE(index_.IndexReady());
    EXPECT_EQ(*index_.ControlPanelTable(), std::vector<std::wstring>{L"second"});
    EXPECT_EQ(Paths().size(), 7u);
}

}  // namespace
}  // namespace tessaline
