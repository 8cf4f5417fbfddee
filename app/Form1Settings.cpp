// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "Controls.h"
#include "SettingsFile.h"

#include <QDir>
#include <QFileInfo>

void Form1::LoadIniFileData(const QString& FileName) {
    State.MaxNum = 10;
    const SettingsLocation where = ResolveSettingsLocation(
        FileName, backends_.ProgramFolder, backends_.FallbackSettingsFolder, InstallFolders());
    if (where.ReadPath.isEmpty())
        return;
    // Applies the file's lines to the window as they are read. A box whose state changes
    // runs its change handler, as a click would; setting a box to the state it has runs
    // nothing. The table box takes effect when start-up applies it.
    class WindowSettings : public SettingsTarget {
    public:
        explicit WindowSettings(Form1& form) : form_(form) {}
        void SetMaxNum(std::int32_t maxNum) override {
            form_.State.MaxNum = maxNum;
            form_.lbMaxNum->SetValue(maxNum);
        }
        void CheckCalcKind(int index) override {
            form_.chkRechenart[static_cast<std::size_t>(index)]->setChecked(true);
        }
        void SetSound(bool checked) override { form_.chkSoundEnabled->setChecked(checked); }
        void SetShowTable(bool checked) override { form_.chkTableVisible->setChecked(checked); }
        void SetWithout1(bool checked) override { form_.chkOhne1->setChecked(checked); }

    private:
        Form1& form_;
    };
    // A file that cannot be opened or read to its end, or is far too large for settings, is no
    // error: whatever was not read keeps its default, and start-up goes on.
    WindowSettings target(*this);
    ReadSettingsFile(where.ReadPath, target, SettingsFileSizeLimit);
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
