// UserData.ini as another program or a hand edit may leave it: any bytes, every line parsed, dates and records
// written back and read again, and a launch recorded on top.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "base/TextFile.h"
#include "catalogue/UserDataFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaline;
    using fuzz::Check;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const TUserDataText text = DecodeUserData(bytes);
    const std::vector<std::wstring>& lines = text.Lines;
    // Only a guess may fall back on the ANSI code page; anything read surely reads the same when written again.
    if (text.Sure) {
        const TUserDataText again = DecodeUserData(EncodeUtf16LeLines(lines));
        Check(again.Sure && again.Lines == lines);
    }
    const TDateTime now{2024, 3, 15, 13, 5, 8};

    for (const auto& line : lines) {
        const TUserDataRecord record = ParseUserDataLine(line);
        Check(record.Path.size() <= line.size() && line.starts_with(record.Path));
        if (!record.LastRun.IsZero()) {
            Check(IsValidDateTime(record.LastRun));
            Check(ParseUserDataTime(FormatUserDataTime(record.LastRun)) == record.LastRun);
        }
        // What AddLaunchRecord writes for this path reads back as the same path and time.
        const TUserDataRecord again = ParseUserDataLine(MakeUserDataLine(record.Path, now));
        Check(again.Path == record.Path && again.LastRun == now && again.Count == 1);
    }

    if (!lines.empty()) {
        const std::wstring path = ParseUserDataLine(lines[size % lines.size()]).Path;
        std::vector<std::wstring> after = lines;
        const std::wstring top = PutLaunchRecordOnTop(after, path, now);
        Check(!after.empty() && after.front() == top);
        // The new line on top; below it the old lines in order, less the first that named the path.
        const bool named = std::ranges::any_of(lines, [&](const auto& line) { return LineNamesPath(line, path); });
        Check(after.size() == lines.size() + (named ? 0 : 1));
        size_t old = 0;
        for (size_t i = 1; i < after.size(); ++i, ++old) {
            if (after[i] != lines[old]) {
                Check(LineNamesPath(lines[old], path));
                ++old;
                Check(after[i] == lines[old]);
            }
        }
    }
    return 0;
}
