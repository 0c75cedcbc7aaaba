#include "search/ControlPanelTable.h"

namespace tessaline {

const std::array<TControlPanelItem, kControlPanelRowCount> kControlPanelItems = {{
    {L"control.exe /name  Microsoft.PowerOptions", L"Search_Power_Options", L"Power Options"},
    {L"control.exe /name Microsoft.NotificationAreaIcons", L"Search_Notification_Area_Icons",
     L"Notification Area Icons"},
    {L"control.exe /name Microsoft.TaskbarAndStartMenu", L"Search_Taskbar", L"Taskbar"},
    {L"control.exe /name Microsoft.CredentialManager", L"Search_Credential_Manager", L"Credential Manager"},
    {L"control.exe /name Microsoft.DefaultPrograms", L"Search_Default_Programs", L"Default Programs"},
    {L"control.exe /name Microsoft.RemoteAppAndDesktopConnections", L"Search_RemoteApp_and_Desktop_Connections",
     L"RemoteApp and Desktop Connections"},
    {L"control.exe /name Microsoft.WindowsUpdate", L"Search_Windows_Update", L"Windows Update"},
    {L"control.exe /name Microsoft.DesktopGadgets", L"Search_Desktop_Gadgets", L"Desktop Gadgets"},
    {L"control.exe /name Microsoft.WindowsFirewall", L"Search_Windows_Firewall", L"Windows Firewall"},
    {L"control.exe /name Microsoft.PhoneAndModem", L"Search_Phone_and_Modem", L"Phone and Modem"},
    {L"control.exe /name Microsoft.SpeechRecognition", L"Search_Speech_Recognition", L"Speech Recognition"},
    {L"control.exe /name Microsoft.UserAccounts", L"Search_User_Accounts", L"User Accounts"},
    {L"control.exe /name Microsoft.RegionAndLanguage", L"Search_Region", L"Region"},
    {L"control.exe /name Microsoft.HomeGroup", L"Search_HomeGroup", L"HomeGroup"},
    {L"control.exe /name Microsoft.Mouse", L"Search_Mouse", L"Mouse"},
    {L"control.exe folders", L"Search_Folder_Options", L"Folder Options"},
    {L"control.exe /name Microsoft.Keyboard", L"Search_Keyboard", L"Keyboard"},
    {L"control.exe /name Microsoft.DeviceManager", L"Search_Device_Manager", L"Device Manager"},
    {L"control.exe /name Microsoft.PerformanceInformationAndTools", L"Search_Performance_Information_and_Tools",
     L"Performance Information and Tools"},
    {L"control.exe /name Microsoft.ProgramsAndFeatures", L"Search_Programs_and_Features", L"Programs and Features"},
    {L"control.exe /name Microsoft.TabletPCSettings", L"Search_Tablet_PC_Settings", L"Tablet PC Settings"},
    {L"control.exe /name Microsoft.IndexingOptions", L"Search_Indexing_Options", L"Indexing Options"},
    {L"control.exe /name Microsoft.NetworkAndSharingCenter", L"Search_Network_and_Sharing_Center",
     L"Network and Sharing Center"},
    {L"control.exe /name Microsoft.ParentalControls", L"Search_Parental_Controls", L"Parental Controls"},
    {L"control.exe /name Microsoft.AutoPlay", L"Search_AutoPlay", L"AutoPlay"},
    {L"control.exe /name Microsoft.SyncCenter", L"Search_Sync_Center", L"Sync Center"},
    {L"control.exe /name Microsoft.Recovery", L"Search_Recovery", L"Recovery"},
    {L"control.exe /name Microsoft.InternetOptions", L"Search_Internet_Options", L"Internet Options"},
    {L"control.exe /name Microsoft.DevicesAndPrinters", L"Search_Devices_and_Printers", L"Devices and Printers"},
    {L"control.exe /name Microsoft.ColorManagement", L"Search_Color_Management", L"Color Management"},
    {L"control.exe /name Microsoft.BackupAndRestore", L"Search_Restore_Windows7_Backups", L"Restore Windows 7 Backups"},
    {L"control.exe /name Microsoft.System", L"Search_System", L"System"},
    {L"control.exe /name Microsoft.ActionCenter", L"Search_Action_Center", L"Action Center"},
    {L"control.exe /name Microsoft.Fonts", L"Search_Fonts", L"Fonts"},
    {L"control.exe /name Microsoft.RegionAndLanguage", L"Search_Language", L"Language"},
    {L"control.exe /name Microsoft.Display", L"Search_Display", L"Display"},
    {L"control.exe /name Microsoft.Troubleshooting", L"Search_Troubleshooting", L"Troubleshooting"},
    {L"control.exe /name Microsoft.AdministrativeTools", L"Search_Administrative_Tools", L"Administrative Tools"},
    {L"control.exe /name Microsoft.EaseOfAccessCenter", L"Search_Ease_of_Access_Center", L"Ease of Access Center"},
    {L"control.exe /name Microsoft.WindowsDefender", L"Search_Windows_Defender", L"Windows Defender"},
    {L"control.exe /name Microsoft.BitLockerDriveEncryption", L"Search_BitLocker_Drive_Encryption",
     L"BitLocker Drive Encryption"},
    {L"control.exe /name Microsoft.DateAndTime", L"Search_Date_and_Time", L"Date and Time"},
    {L"control.exe /name Microsoft.LocationAndOtherSensors", L"Search_Location_Settings", L"Location Settings"},
    {L"control.exe /name Microsoft.Personalization", L"Search_Personalization", L"Personalization"},
    {L"control.exe /name Microsoft.Sound", L"Search_Sound", L"Sound"},
    {L"FileHistory.exe", L"Search_File_History", L"File History"},
    {L"control.exe /name Microsoft.PenAndTouch", L"Search_Pen_and_Touch", L"Pen and Touch"},
    {L"ntvdmcpl.cpl", L"Search_16-Bit_Application_Support", L"16-Bit Application Support"},
}};

std::vector<std::wstring> BuildControlPanelTable(const std::wstring& systemDirectory,
                                                 const std::wstring& languageName,
                                                 const TLanguageText& current,
                                                 const TLanguageText& english) {
    const std::wstring prefix = systemDirectory + L"\\";
    const bool longForm = languageName != L"English";
    std::vector<std::wstring> rows;
    rows.reserve(kControlPanelItems.size());
    for (const TControlPanelItem& item : kControlPanelItems) {
        std::wstring row = current(item.LanguageKey, item.EnglishName);
        if (longForm) {
            row += kSplitterB;
            row += english(item.LanguageKey, item.EnglishName);
        }
        row += kSplitterA;
        // Every command by its full path, the last row's control-panel file too (which only the fall-back form
        // opens): a bare name is looked for in the program's folder and the current one before the system's.
        row += prefix;
        row += item.Command;
        rows.push_back(std::move(row));
    }
    return rows;
}

TControlPanelRow SplitControlPanelRow(std::wstring_view row) {
    constexpr std::wstring_view a = kSplitterA;
    constexpr std::wstring_view b = kSplitterB;
    TControlPanelRow out;
    const size_t posA = row.find(a);
    if (posA == std::wstring_view::npos) {
        out.LocalName = std::wstring(row);  // not a row of ours; a name without a command
        out.EnglishName = out.LocalName;
        return out;
    }
    out.CommandLine = std::wstring(row.substr(posA + a.size()));
    const std::wstring_view names = row.substr(0, posA);
    const size_t posB = names.find(b);
    if (posB != std::wstring_view::npos) {
        out.LocalName = std::wstring(names.substr(0, posB));
        out.EnglishName = std::wstring(names.substr(posB + b.size()));
    } else {
        out.LocalName = std::wstring(names);
        out.EnglishName = out.LocalName;
    }
    return out;
}

std::wstring ControlPanelFallbackCommand(const std::wstring& systemDirectory, const std::wstring& commandLine) {
    return systemDirectory + L"\\rundll32.exe shell32,Control_RunDLL " + commandLine;
}

}  // namespace tessaline
