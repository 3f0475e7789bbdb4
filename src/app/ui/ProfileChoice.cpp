#include "ProfileChoice.h"

#include "TMainFormUi.h"
#include "base/FwError.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileText.h"
#include "profiles/ui/ParameterPanels.h"
#include "profiles/ui/ProfileBox.h"
#include "profiles/ui/TSizeForm.h"
#include "profiles/ui/ValueListEditor.h"

#include <QComboBox>

ProfileChoice::ProfileChoice(QObject* parent, const TMainFormUi& ui, const QString& dataFolder)
    : QObject(parent), m_ui(ui), m_dataFolder(dataFolder)
{}

void ProfileChoice::FillProfileList()
{
    FillProfileBox(m_ui.cmbProfile, m_dataFolder, ProfileFiles(m_dataFolder));
}

void ProfileChoice::refreshProfileList()
{
    RefillProfileBox(m_ui.cmbProfile, m_dataFolder);
}

QStringList ProfileChoice::profileFiles() const
{
    return ProfileBoxFiles(m_ui.cmbProfile);
}

QString ProfileChoice::profilePath() const
{
    return ChosenProfilePath(m_ui.cmbProfile, m_dataFolder);
}

void ProfileChoice::cmbProfileChange()
{
    const LoadedProfile profile = LoadChosenProfile(m_ui.cmbProfile, m_dataFolder, m_chosenFile);
    m_chosenFile = m_ui.cmbProfile->currentData().toString();
    if (!profile.exists)
        return;
    m_ui.panels->loadProfile(profile.panels);
    m_outputExt = OutputExtFor(profile.type);
    vleVideoStringsChange();
    if (!profile.error.isEmpty())
        throw FwError(profile.error);
}

void ProfileChoice::vleVideoStringsChange()
{
    const ValueListEditor* video = m_ui.panels->grid(ParameterPanels::Video);
    const int current = video->currentRow();
    if (current < 0 || current >= video->rowCount() ||
        video->rowData(current).key != QLatin1String("Video Size"))
        return;
    if (video->value(QStringLiteral("Video Size")) == QLatin1String("Custom Size") && m_size &&
        !m_size->isVisible())
        m_size->show();
}
