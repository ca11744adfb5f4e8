// Calibrating the background photo: the user clicks the two ends of a known
// distance on the photo, a ruler in the picture say, and types that distance;
// the photo is scaled about the first end so that the distance matches at the
// current unit size. Like the other photo commands it is a change of the view
// only: no undo step, no modified flag.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "document/document.h"
#include "document/unit_system.h"
#include "editor/canvas.h"
#include "export/field_text.h"

namespace orvanel {

class PhotoCalibration {
public:
    enum class Stage {
        Off,
        FirstEnd,   // waiting for the first click
        SecondEnd,  // waiting for the second click
        Distance,   // both ends known: the distance is asked for
    };

    Stage GetStage() const { return m_stage; }
    bool IsActive() const { return m_stage != Stage::Off; }
    void Start();
    // Esc, Cancel in the distance dialog, or the photo gone.
    void Cancel();
    // A click in editor units. A second end on the first one is not taken.
    void Click(IntPoint p);
    // The mouse position, for the line from the first end.
    void Track(IntPoint p);

    IntPoint FirstEnd() const { return m_first; }
    IntPoint SecondEnd() const { return m_second; }
    // The length between the two ends, in editor units.
    double Span() const;
    // What the message pane asks for now; empty when off.
    std::string_view Prompt() const;

    // The marks at the ends and the line between them, inverting what lies
    // underneath so that they show on any photo; and where they lie.
    void PaintLive(LiveCanvas& canvas) const;
    IntRect LiveBounds() const;

private:
    Stage m_stage = Stage::Off;
    bool m_bSameEnd = false;  // the last click fell on the first end
    IntPoint m_first;
    IntPoint m_second;
    std::optional<IntPoint> m_mouse;
};

// The rectangle scaled by k about p, each side rounded to the nearest unit.
IntRect ScalePhotoAbout(const IntRect& rc, IntPoint p, double k);

// The photo's rectangle for the typed distance between two ends `span`
// editor units apart, or the refusal. The distance is held to what keeps the
// Picture Properties percentages within 5 to 500.
FieldRead<IntRect> CalibratedPhotoRect(const IntRect& rc, int pictureWidth, int pictureHeight,
                                       IntPoint first, double span, std::string_view text,
                                       const UnitSystem& units);

// The distance dialog ended with OK: the document's photo moves; false, with
// the photo untouched, when the text is refused (the message is in `error`).
bool ApplyPhotoCalibration(CTavrinEditorDoc& doc, const PhotoCalibration& calibration,
                           std::string_view text, std::string& error);

}  // namespace orvanel
