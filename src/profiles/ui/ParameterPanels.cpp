#include "ParameterPanels.h"

#include "ValueListEditor.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const char* const kNames[4] = {"Output", "Video", "Audio", "Advanced"};

QStringList designedRows(int panel)
{
    switch (panel) {
    case ParameterPanels::Output:
        return {QStringLiteral("New Filename"), QStringLiteral("Start Time"),
                QStringLiteral("End Time")};
    case ParameterPanels::Video:
        return {QStringLiteral("Video Codec"), QStringLiteral("Video Size"),
                QStringLiteral("Bit Rate"),    QStringLiteral("Frame Rate"),
                QStringLiteral("Aspect"),      QStringLiteral("Disable Video")};
    case ParameterPanels::Audio:
        return {QStringLiteral("Audio Codec"), QStringLiteral("Audio Bitrate"),
                QStringLiteral("Sample Rate"), QStringLiteral("Channels"),
                QStringLiteral("Volumn"),      QStringLiteral("Disable Audio")};
    default:
        return {QStringLiteral("Bit Exact Algorithms"), QStringLiteral("Deinterlace")};
    }
}
} // namespace

ParameterPanels::ParameterPanels(bool withOutput, int keyWidth, int valueWidth, QWidget* parent)
    : QWidget(parent), m_headerDoubleClick(withOutput)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int panel = withOutput ? Output : Video; panel <= Advanced; ++panel)
        addPanel(panel, QLatin1String(kNames[panel]), designedRows(panel), keyWidth, valueWidth);
    layout->addStretch();
    // Shown in a scrolling area: the value that takes the keyboard scrolls into view, however
    // the focus got there.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        QWidget* area = parentWidget();
        while (area && !qobject_cast<QScrollArea*>(area))
            area = area->parentWidget();
        if (now && area && isAncestorOf(now))
            static_cast<QScrollArea*>(area)->ensureWidgetVisible(now, 0, 0);
    });
}

void ParameterPanels::addPanel(int panel, const QString& name, const QStringList& rows,
                               int keyWidth, int valueWidth)
{
    auto* header = new QLabel(QStringLiteral("      ") + name, this);
    header->setObjectName(QStringLiteral("pan") + name);
    header->setFixedHeight(18);
    header->setAutoFillBackground(true);
    QPalette palette = header->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Dark));
    palette.setColor(QPalette::WindowText, Qt::black);
    header->setPalette(palette);
    QFont font = header->font();
    font.setPixelSize(11);
    font.setBold(true);
    header->setFont(font);
    header->installEventFilter(this);

    // A bare sign on the bar; a raised tool button draws no frame of its own.
    auto* button = new QToolButton(header);
    button->setText(QStringLiteral("-"));
    button->setObjectName(QStringLiteral("btn") + name);
    button->setGeometry(5, 3, 12, 12);
    button->setAutoRaise(true);
    // Reached by Tab, not taken by a click: the grid keeps the focus it had.
    button->setFocusPolicy(Qt::TabFocus);
    QFont buttonFont = button->font();
    buttonFont.setPixelSize(16);
    buttonFont.setBold(true);
    button->setFont(buttonFont);
    connect(button, &QToolButton::clicked, this, [this, panel] { toggle(panel); });

    auto* grid = new ValueListEditor(QStringLiteral("vle") + name, keyWidth, valueWidth, this);
    grid->setAccessibleName(name);
    for (const QString& key : rows) {
        ParamRow row;
        row.key = key;
        grid->appendRow(row);
    }
    grid->setFixedHeight(rows.size() * 18);
    connect(grid, &ValueListEditor::mousePressed, this, &ParameterPanels::repaintGrids);

    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->addWidget(header);
    layout->addWidget(grid);
    m_headers[panel] = header;
    m_buttons[panel] = button;
    m_grids[panel] = grid;
    nameButton(panel);
}

void ParameterPanels::nameButton(int panel)
{
    const bool open = m_buttons[panel]->text() != QLatin1String("+");
    m_buttons[panel]->setAccessibleName(
        (open ? QStringLiteral("Collapse ") : QStringLiteral("Expand ")) +
        QLatin1String(kNames[panel]));
    // A collapsed grid is no stop for Tab: nothing of it shows.
    m_grids[panel]->setFocusPolicy(open ? Qt::StrongFocus : Qt::NoFocus);
}

ValueListEditor* ParameterPanels::grid(int panel) const
{
    return panel >= 0 && panel < 4 ? m_grids[panel] : nullptr;
}

QToolButton* ParameterPanels::button(int panel) const
{
    return panel >= 0 && panel < 4 ? m_buttons[panel] : nullptr;
}

QWidget* ParameterPanels::header(int panel) const
{
    return panel >= 0 && panel < 4 ? m_headers[panel] : nullptr;
}

void ParameterPanels::repaintGrids()
{
    for (ValueListEditor* grid : m_grids) {
        if (grid)
            grid->repaintCells();
    }
}

ProfilePanels ParameterPanels::shownRows() const
{
    ProfilePanels shown;
    shown.video = m_grids[Video]->rows();
    shown.audio = m_grids[Audio]->rows();
    shown.advanced = m_grids[Advanced]->rows();
    return shown;
}

void ParameterPanels::SetPanelValue(int panel, const QString& key, const QString& value)
{
    if (ValueListEditor* grid = this->grid(panel))
        grid->setValue(key, value);
}

void ParameterPanels::loadProfile(const ProfilePanels& rows)
{
    loadRows(Video, rows.video);
    loadRows(Audio, rows.audio);
    loadRows(Advanced, rows.advanced);
}

void ParameterPanels::loadRows(int panel, const ParamPanel& rows)
{
    ValueListEditor* grid = this->grid(panel);
    if (!grid)
        return;
    grid->setRows(rows);
    grid->setFixedHeight(qMax(1, int(rows.size())) * 18);
}

int ParameterPanels::expandedHeight(int rows)
{
    return rows * ValueListEditor::RowHeight + rows + 1;
}

void ParameterPanels::toggle(int panel)
{
    ValueListEditor* grid = this->grid(panel);
    QToolButton* button = this->button(panel);
    if (!grid)
        return;
    if (button->text() != QLatin1String("+")) {
        grid->setFixedHeight(1);
        button->setText(QStringLiteral("+"));
    } else {
        // An empty panel still shows its one blank row.
        grid->setFixedHeight(expandedHeight(qMax(1, grid->rowCount())));
        button->setText(QStringLiteral("-"));
    }
    nameButton(panel);
}

bool ParameterPanels::eventFilter(QObject* watched, QEvent* event)
{
    if (m_headerDoubleClick && event->type() == QEvent::MouseButtonDblClick) {
        for (int panel = 0; panel < 4; ++panel) {
            if (m_headers[panel] == watched) {
                toggle(panel);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
