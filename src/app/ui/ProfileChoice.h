#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

struct TMainFormUi;
class TSizeForm;

// The window side of the main window's profile: the drop-down of profiles, the Video, Audio and
// Advanced panels it fills, the output extension it sets and the custom size dialog that
// "Custom Size" opens.
class ProfileChoice final : public QObject
{
    Q_OBJECT
public:
    ProfileChoice(QObject* parent, const TMainFormUi& ui, const QString& dataFolder);

    void setSizeDialog(TSizeForm* size) { m_size = size; }

    // Fills the drop-down with the profiles found, none chosen.
    void FillProfileList();
    // Lists the profiles again (one was saved under a new name), keeping the one chosen.
    void refreshProfileList();
    QStringList profileFiles() const; // the listed files, in list order
    QString profilePath() const;      // the chosen profile's file

    // Loads the chosen profile; one that cannot be read gives the choice back to the profile
    // chosen before and throws FwError.
    void cmbProfileChange();
    void vleVideoStringsChange();

    // "." + the output type of the profile last loaded, empty before any.
    const QString& OutputExt() const { return m_outputExt; }

private:
    const TMainFormUi& m_ui;
    QString m_dataFolder;
    QString m_outputExt;
    QString m_chosenFile; // the file of the choice last taken, to go back to
    TSizeForm* m_size = nullptr;
};
