// The search thread end to end over a made-up program tree: what a pass finds, in which order, how far it goes,
// and what the view shows when the text changes under it.

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>

#include "search/ApplicationSearch.h"
#include "search/ControlPanelTable.h"
#include "search/IndexBuilder.h"
#include "search/SearchTestSupport.h"

namespace tessaline {
namespace {

using test::TMemoryFileSystem;
using test::TRecordingView;
using test::TTableRows;

constexpr int kIconBase = 100;

std::vector<std::wstring> EnglishTable() {
    const auto same = [](const std::wstring&, const std::wstring& fallback) { return fallback; };
    return BuildControlPanelTable(L"C:\\Windows\\System32", L"English", same, same);
}

class SearchThread : public ::testing::Test {
  protected:
    SearchThread() {
        folders_ = {L"C:\\ProgramData\\Start Menu\\", L"C:\\Users\\u\\Programs\\", L"C:\\Windows\\",
                    L"C:\\Windows\\System32\\"};
        fs_.AddFile(folders_.CommonStartMenu + L"Notepad.lnk");
        fs_.AddFile(folders_.CommonStartMenu + L"Accessories\\Paint.lnk");
        fs_.AddFile(folders_.CommonStartMenu + L"Accessories\\Default Programs.lnk");
        fs_.AddFile(folders_.UserPrograms + L"Notepad Plus.lnk");
        fs_.AddFile(folders_.UserPrograms + L"Games\\Solitaire.lnk");
        fs_.AddFile(folders_.Windows + L"notepad.exe");
        fs_.AddFile(folders_.Windows + L"regedit.exe");
        fs_.AddFile(folders_.Windows + L"readme.txt");
        fs_.AddFile(folders_.System + L"write.exe");
        fs_.AddFile(folders_.System + L"calc.exe");
        fs_.AddFile(folders_.System + L"notepad.exe");
    }

    void BuildIndex(std::function<std::vector<std::wstring>()> table = EnglishTable) {
        TIndexSetup setup;
        setup.Index = &index_;
        setup.FileSystem = &fs_;
        setup.Folders = folders_;
        setup.BuildTable = std::move(table);
        const std::atomic<bool> never{false};
        ASSERT_TRUE(BuildSearchIndex(setup, false, never));
    }

    void Start(bool notEnglish = false, TTableRows* rows = nullptr) {
        TSearchSetup setup;
        setup.FileSystem = &fs_;
        setup.Index = &index_;
        setup.View = &view_;
        setup.Folders = folders_;
        setup.NotEnglish = notEnglish;
        setup.IconBase = kIconBase;
        if (rows) {
            setup.MakeWindowsSearchRows = [rows] {
                struct TBorrowed : IWindowsSearchRows {
                    TTableRows* rows;
                    explicit TBorrowed(TTableRows* r) : rows(r) {}
                    bool Open(const std::wstring& s) override { return rows->Open(s); }
                    long RecordCount() override { return rows->RecordCount(); }
                    bool ReadRow(std::wstring& f, std::wstring& u) override { return rows->ReadRow(f, u); }
                    bool MoveNext() override { return rows->MoveNext(); }
                };
                return std::make_unique<TBorrowed>(rows);
            };
        }
        search_ = std::make_unique<TApplicationSearch>(std::move(setup));
    }

    std::vector<std::wstring> Search(const std::wstring& query, int maxResults = 20) {
        const uint64_t handOver = search_->HandOver(query, maxResults);
        view_.Expect(handOver);
        EXPECT_TRUE(view_.WaitIdle(handOver))
            << "no end of the pass for \"" << std::string(query.begin(), query.end()) << "\"";
        return view_.Texts();
    }

    using Texts = std::vector<std::wstring>;
    TSearchFolders folders_;
    TMemoryFileSystem fs_;
    TSearchIndex index_;
    TRecordingView view_;
    std::unique_ptr<TApplicationSearch> search_;
};

TEST_F(SearchThread, ShortcutsWithoutExtensionProgramsWithItUnlessTheBareNameWasShown) {
    BuildIndex();
    Start();
    // notepad.exe of both directories is passed over: "Notepad" was shown first (names compare without case).
    EXPECT_EQ(Search(L"note"), (Texts{L"Notepad", L"Notepad Plus"}));
    const auto state = view_.State();
    EXPECT_EQ(state.Results[0].Info.Target, folders_.CommonStartMenu + L"Notepad.lnk");
    EXPECT_EQ(state.Results[0].Info.Kind, L".lnk");
    EXPECT_EQ(state.SelectedIndex, 0);
    EXPECT_TRUE(state.ResultsVisible);
    EXPECT_FALSE(state.Searching);
    EXPECT_FALSE(state.NoMatch);
    EXPECT_EQ(state.RedrawOffCount, 0);

    EXPECT_EQ(Search(L"WRI"), (Texts{L"write.exe"}));
    EXPECT_EQ(view_.State().Results[0].Info.Kind, L".exe");
    EXPECT_EQ(view_.State().Results[0].Icon, fs_.SmallIconIndex(folders_.System + L"write.exe"));
    // "Default Programs.lnk" is not indexed; the control-panel item of that name is found.
    EXPECT_EQ(Search(L"Default P"), (Texts{L"Default Programs"}));
    EXPECT_EQ(view_.State().Results[0].Info.Kind, L".control");
    EXPECT_EQ(Search(L"readme"), Texts{});
}

TEST_F(SearchThread, BeforeTheIndexIsReadyFoldersAreWalkedAndNoControlPanelItemIsFound) {
    Start();
    EXPECT_EQ(Search(L"note"), (Texts{L"Notepad", L"Notepad Plus"}));
    EXPECT_EQ(view_.State().Results[1].Info.Kind, L".lnk");
    EXPECT_EQ(Search(L"calc"), (Texts{L"calc.exe"}));
    EXPECT_EQ(Search(L"Fonts"), Texts{});
    const auto state = view_.State();
    EXPECT_TRUE(state.NoMatch);
    EXPECT_FALSE(state.Searching);
    EXPECT_FALSE(state.ResultsVisible);

    BuildIndex();
    EXPECT_EQ(Search(L"Fonts"), (Texts{L"Fonts"}));
    EXPECT_EQ(view_.State().Results[0].Info.Kind, L".control");
    EXPECT_EQ(view_.State().Results[0].Icon, kIconBase - 48 + 33);
    EXPECT_EQ(view_.State().Results[0].Info.Target, L"C:\\Windows\\System32\\control.exe /name Microsoft.Fonts");
}

TEST_F(SearchThread, AFolderTheSystemCouldNotNameIsNotWalked) {
    // What "" and "\\" would list: the current folder, the current drive's root.
    fs_.AddFile(L"notepad stray.lnk");
    fs_.AddFile(L"\\notepad root.exe");
    folders_.UserPrograms = L"";
    folders_.Windows = L"\\";
    Start();
    EXPECT_EQ(Search(L"note"), (Texts{L"Notepad"}));
    EXPECT_EQ(Search(L"root"), Texts{});
    // The folders it could name are walked as ever.
    EXPECT_EQ(Search(L"calc"), (Texts{L"calc.exe"}));
}

TEST_F(SearchThread, TheEnglishNameFindsAControlPanelItemUnderItsLocalName) {
    BuildIndex([] {
        const auto german = [](const std::wstring& key, const std::wstring& fallback) {
            return key == L"Search_Fonts" ? std::wstring(L"Schriftarten") : fallback;
        };
        const auto english = [](const std::wstring&, const std::wstring& fallback) { return fallback; };
        return BuildControlPanelTable(L"C:\\Windows\\System32", L"Deutsch", german, english);
    });
    Start(true);
    EXPECT_EQ(Search(L"font"), (Texts{L"Schriftarten"}));
    EXPECT_EQ(Search(L"schrift"), (Texts{L"Schriftarten"}));
    EXPECT_EQ(view_.State().Results[0].Icon, kIconBase - 48 + 33);
    // Untranslated rows carry the English name twice and are shown once.
    EXPECT_EQ(Search(L"Mouse"), (Texts{L"Mouse"}));
}

TEST_F(SearchThread, TheQueryIsOneStringWithItsSpacesAndOnlyAToZChangeCase) {
    BuildIndex();
    Start();
    EXPECT_EQ(Search(L"notepad "), (Texts{L"Notepad Plus"}));
    EXPECT_EQ(Search(L"pad p"), (Texts{L"Notepad Plus"}));
    EXPECT_EQ(Search(L"   "), Texts{});  // white space alone finds nothing in the index
}

TEST_F(SearchThread, ClearingRemovesEveryResultAndHidesBothLabels) {
    BuildIndex();
    Start();
    ASSERT_FALSE(Search(L"note").empty());
    EXPECT_EQ(Search(L""), Texts{});
    auto state = view_.State();
    EXPECT_FALSE(state.Searching);
    EXPECT_FALSE(state.NoMatch);
    EXPECT_TRUE(state.ResultsVisible);
    // After a text with no match, clearing hides the no-match label as well.
    Search(L"zzz");
    ASSERT_TRUE(view_.State().NoMatch);
    Search(L"");
    state = view_.State();
    EXPECT_FALSE(state.NoMatch);
    EXPECT_EQ(state.RedrawOffCount, 0);
}

TEST_F(SearchThread, TheSameTextHandedOverAgainRunsAgain) {
    BuildIndex();
    Start();
    EXPECT_EQ(Search(L"calc"), (Texts{L"calc.exe"}));
    fs_.RemoveFile(folders_.System + L"calc.exe");
    EXPECT_EQ(Search(L"calc"), Texts{});
}

TEST_F(SearchThread, ControlPanelRowsStopOneShortOfTheRowsThatFitAndFilesMayFillTheLast) {
    BuildIndex();
    Start();
    // "o" is in most control-panel names and in "Notepad".
    const Texts found = Search(L"o", 4);
    ASSERT_EQ(found.size(), 5u);
    const auto state = view_.State();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(state.Results[i].Info.Kind, L".control") << i;
    }
    EXPECT_EQ(found[0], L"Power Options");
    EXPECT_EQ(found[4], L"Notepad");
    // Walking the folders stops when the count reaches the limit.
    TSearchIndex notReady;
    TSearchSetup setup;
    TRecordingView walkView;
    setup.FileSystem = &fs_;
    setup.Index = &notReady;
    setup.View = &walkView;
    setup.Folders = folders_;
    TApplicationSearch walker(setup);
    const uint64_t handOver = walker.HandOver(L"e", 3);
    walkView.Expect(handOver);
    ASSERT_TRUE(walkView.WaitIdle(handOver));
    EXPECT_EQ(walkView.Texts().size(), 3u);
}

TEST_F(SearchThread, ANewTextAbandonsThePassAndTheResultsBelongToTheLastText) {
    // Hold the first pass inside a folder walk until the second text is handed over.
    std::mutex mutex;
    std::condition_variable changed;
    bool holding = false;
    bool released = false;
    int entriesAfterRelease = 0;
    fs_.OnEntry = [&](const std::wstring&, const std::wstring&) {
        std::unique_lock lock(mutex);
        if (released) {
            ++entriesAfterRelease;
            return;
        }
        holding = true;
        changed.notify_all();
        changed.wait(lock, [&] { return released; });
    };
    Start();
    const uint64_t first = search_->HandOver(L"a", 20);
    view_.Expect(first);
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(10), [&] { return holding; }));
    }
    const uint64_t second = search_->HandOver(L"calc", 20);
    view_.Expect(second);
    {
        std::lock_guard lock(mutex);
        released = true;
        entriesAfterRelease = 0;
    }
    changed.notify_all();
    ASSERT_TRUE(view_.WaitIdle(second));
    EXPECT_EQ(view_.Texts(), (Texts{L"calc.exe"}));
    EXPECT_EQ(view_.State().RedrawOffCount, 0);
    // The held pass saw the flag at its next entry; the new pass listed the four folders it needed.
    std::lock_guard lock(mutex);
    EXPECT_LT(entriesAfterRelease, 20);
}

TEST_F(SearchThread, WindowsSearchRowsCountWhetherShownOrNotAndNeverMoreThanTwenty) {
    TTableRows rows;
    for (int i = 0; i < 30; ++i) {
        const std::wstring name = L"doc" + std::to_wstring(i) + L".txt";
        rows.Rows.push_back({name, L"file:C:/Docs/" + name});
        if (i % 2 == 0) {
            fs_.AddFile(L"C:\\Docs\\" + name);
        }
    }
    BuildIndex();
    Start(false, &rows);
    const Texts found = Search(L"doc", 100);
    EXPECT_EQ(rows.RowsRead, 20);
    ASSERT_EQ(found.size(), 10u);  // the even ones of rows 1..19 exist: doc0 … doc18
    EXPECT_EQ(found.front(), L"doc0.txt");
    EXPECT_EQ(view_.State().Results[0].Info.Target, L"C:\\Docs\\doc0.txt");
    EXPECT_EQ(view_.State().Results[0].Info.Kind, L"");  // no folder walk has run yet

    rows.RowsRead = 0;
    Search(L"doc", 5);
    EXPECT_EQ(rows.RowsRead, 5);
    EXPECT_EQ(view_.Texts(), (Texts{L"doc0.txt", L"doc2.txt", L"doc4.txt"}));

    // A name shown by the index is not shown again; the row still counts.
    rows.RowsRead = 0;
    rows.Rows = {{L"Notepad", L"file:C:/ProgramData/Start Menu/Notepad.lnk"}, {L"Notepad.txt", L"file:C:/N.txt"}};
    EXPECT_EQ(Search(L"Notepad", 2), (Texts{L"Notepad", L"Notepad Plus"}));
    EXPECT_EQ(rows.RowsRead, 0);  // the programs filled the view
    EXPECT_EQ(Search(L"Notepad", 3), (Texts{L"Notepad", L"Notepad Plus"}));
    EXPECT_EQ(rows.RowsRead, 1);
    ASSERT_FALSE(rows.Statements.empty());
    EXPECT_NE(rows.Statements.back().find(L"'\"*Notepad*\"')"), std::wstring::npos);
}

}  // namespace
}  // namespace tessaline
