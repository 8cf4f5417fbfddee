// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "Controls.h"
#include "SettingsFile.h"

#include <QDir>
#include <QFileInfo>

#include <array>
#include <optional>

void Form1::LoadIniFileData(const QString& FileName) {
    State.MaxNum = 10;
    const SettingsLocation where = ResolveSettingsLocation(
        FileName, backends_.ProgramFolder, backends_.FallbackSettingsFolder, InstallFolders());
    if (where.ReadPath.isEmpty())
        return;
    // The file's final values: the last line of a key wins, a calcmode line only ever checks
    // boxes. They reach the window once, after the whole file is read: a box whose state
    // changes runs its change handler once, as a click would, however often the file flips it.
    class FinalValues : public SettingsTarget {
    public:
        void SetMaxNum(std::int32_t maxNum) override { MaxNum = maxNum; }
        void CheckCalcKind(int index) override {
            CalcKinds[static_cast<std::size_t>(index)] = true;
        }
        void SetSound(bool checked) override { Sound = checked; }
        void SetShowTable(bool checked) override { ShowTable = checked; }
        void SetWithout1(bool checked) override { Without1 = checked; }

        std::optional<std::int32_t> MaxNum;
        std::array<bool, 4> CalcKinds{};
        std::optional<bool> Sound, ShowTable, Without1;
    };
    // A file that cannot be opened or read to its end, or is far too large for settings, is no
    // error: whatever was not read keeps its default, and start-up goes on.
    FinalValues file;
    ReadSettingsFile(where.ReadPath, file, SettingsFileSizeLimit);
    if (file.MaxNum) {
        State.MaxNum = *file.MaxNum;
        lbMaxNum->SetValue(*file.MaxNum);
    }
    for (std::size_t i = 0; i < file.CalcKinds.size(); ++i) {
        if (file.CalcKinds[i])
            chkRechenart[i]->setChecked(true);
    }
    if (file.Sound)
        chkSoundEnabled->setChecked(*file.Sound);
    // The table box takes effect when start-up applies it.
    if (file.ShowTable)
        chkTableVisible->setChecked(*file.ShowTable);
    if (file.Without1)
        chkOhne1->setChecked(*file.Without1);
}

void Form1::SaveIniFileData(const QString& FileName) {
    const SettingsLocation where = ResolveSettingsLocation(
        FileName, backends_.ProgramFolder, backends_.FallbackSettingsFolder, InstallFolders());
    if (where.WritePath.isEmpty())
        return;
    SettingsValues values;
    values.MaxNum = State.MaxNum;
    for (std::size_t i = 0; i < values.CalcMode.size(); ++i)
        values.CalcMode[i] = IsChecked(chkRechenart[i]);
    values.Sound = IsChecked(chkSoundEnabled);
    values.ShowTable = IsChecked(chkTableVisible);
    values.Without1 = IsChecked(chkOhne1);
    if (where.CreateFolder)
        QDir().mkpath(QFileInfo(where.WritePath).absolutePath());
    // Failures are silent: the program closes all the same, the old file stays.
    WriteSettingsFile(where.WritePath, SettingsText(values));
}
