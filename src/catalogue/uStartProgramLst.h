#pragma once
// TUseProgramManage: the frequently used programs, merged at every refresh from the shell's UserAssist
// records and UserData.ini in the data directory. One instance for the program's life; user-interface thread
// only, with COM initialised.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/KeptFileFactsWin.h"
#include "catalogue/UseProgramList.h"
#include "catalogue/UserAssist.h"

namespace tessaline {

class TUseProgramManage {
  public:
    TUseProgramManage();  // DataFile: GetUserDataDir() + "UserData.ini"

    void Refresh();
    int Count() const { return list_.Count(); }
    const TUseProgramInfo* GetItem(int index) const { return list_.GetItem(index); }
    const TUseProgramInfo* FindByTarget(const std::wstring& path) const { return list_.FindByTarget(path); }

    // Records that the user started the shortcut now. A failure is traced and returned, never thrown, so the
    // launch that follows goes on.
    bool AddLaunchRecord(const std::wstring& path);
    // "Remove from this list": the UserAssist value, or else the entry's line of UserData.ini.
    bool RemoveEntry(const TUseProgramInfo& info);

    const std::wstring& DataFile() const { return dataFile_; }

  private:
    // The key's values, read again only when the key changed since they were (each value is a round trip to the
    // registry).
    const std::vector<TUserAssistValue>& UserAssistValues();
    void ForgetValues();
    // Whether the list as last made is what making it now would give: made from answers the kept facts all kept,
    // which they have not forgotten since, and from the same values, lines of UserData.ini, Start Menu folders of
    // the values and local time zone.
    bool MadeFromStillHolds(const std::vector<std::wstring>& lines) const;

    TUseProgramList list_;
    std::wstring dataFile_;
    TUserAssistKeyState keptState_;
    std::vector<TUserAssistValue> keptValues_;
    uint64_t valuesRead_ = 0;  // how many times keptValues_ was read or cleared
    struct TMadeFrom {
        bool Holds = false;
        uint64_t ValuesRead = 0;
        std::vector<std::wstring> Lines;
        std::map<std::wstring, std::wstring> KnownFolders;  // GUID -> folder, as the values named them
        int64_t LocalBias = 0;
        uint64_t Forgotten = 0;
    };
    TMadeFrom madeFrom_;
    std::vector<std::wstring> startMenus_;  // the user's and all users' Start Menu folders
    TKeptFileFacts kept_;                   // the shortcuts in them, while they are unchanged
};

extern std::unique_ptr<TUseProgramManage> v_UseProgramManage;

}  // namespace tessaline
