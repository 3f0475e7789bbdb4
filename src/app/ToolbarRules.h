#pragma once

#include <QPointF>
#include <QString>
#include <QVector>

// The looks of the picture toolbar and of the Start and Stop images, as rules without widgets.
//
// The toolbar's looks are one state string of nine characters, one per position ("0" normal,
// "1" hover, "2" pressed): Add File, Add Directory, Remove, Clear, Settings, two positions
// without an image, About, Help.
namespace ToolbarRules {

constexpr int Positions = 9;
inline QString AllNormal()
{
    return QStringLiteral("000000000");
}
QString Hover(int position);   // "1" at the position (1 to 9), "0" elsewhere
QString Pressed(int position); // "2" at the position

// An image reacts only inside the circle of radius 23 around (27, 27) of its 54 x 54 square.
bool InHotCircle(const QPointF& at);

// The string a mouse move at `at` over the image at `position` applies.
QString OnMove(int position, const QPointF& at);
// The string a press applies; empty when the press is outside the circle (nothing changes).
QString OnPress(int position, const QPointF& at);
// The string a release applies, wherever the pointer is.
QString OnRelease(int position);

} // namespace ToolbarRules

// The state string last applied. Applying the same string again draws nothing, so the many
// moves over one image cost no drawing after the first.
class ToolbarState final
{
public:
    struct Draw
    {
        int position; // 1 to 9, only positions that have an image
        int look;     // 0 normal, 1 hover, 2 pressed
    };
    // What to draw for the string: every image's look, or nothing when the string repeats.
    QVector<Draw> apply(const QString& state);
    const QString& last() const { return m_last; }

private:
    QString m_last; // empty at start: the images show the pictures they were made with
};

// The Start or Stop image keeps its look in a tag: 0 normal, 1 hover, 2 pressed. Each rule gives
// the new tag, or -1 when nothing changes (and nothing is drawn).
namespace StartStopRules {
int OnMove(int tag);
int OnPress(int tag);
int OnRelease(int tag);
// The pointer moved over the strip around the images.
int OnStripMove(bool visible, int tag);
} // namespace StartStopRules
