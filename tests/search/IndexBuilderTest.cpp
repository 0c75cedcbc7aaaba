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
            for (const TIndexedFile& file : *files) {
                paths.push_back(file.Path);
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
    const TIndexedFile& first = index_.ProgramFileIndex()->front();
    EXPECT_EQ(first.BaseName, L"b");
    EXPECT_EQ(first.Extension, L".lnk");
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
