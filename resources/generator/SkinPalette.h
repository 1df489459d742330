#pragma once

#include <QColor>

// The one palette every picture of the skin is drawn from: deep slate-teal surfaces, light
// panels, a teal action colour and a warm accent kept for Convert alone.
namespace varnell::skin::palette {

inline const QColor kWindowTop{0x1d, 0x37, 0x44};
inline const QColor kWindowBottom{0x0f, 0x1f, 0x28};
inline const QColor kHeaderTop{0x0c, 0x19, 0x20};
inline const QColor kHeaderBottom{0x15, 0x2d, 0x39};
inline const QColor kEdgeLight{0x3a, 0x66, 0x77};
inline const QColor kEdgeDark{0x06, 0x0d, 0x11};
inline const QColor kCard{0x1a, 0x33, 0x40};
inline const QColor kCardBorder{0x2f, 0x55, 0x65};

inline const QColor kPanelTop{0xea, 0xf1, 0xf4};
inline const QColor kPanelBottom{0xd8, 0xe5, 0xea};
inline const QColor kPanelBorder{0x9d, 0xb7, 0xc0};
inline const QColor kPanelInk{0x27, 0x46, 0x52};
inline const QColor kPanelInkSoft{0x5b, 0x78, 0x83};

inline const QColor kTeal{0x2f, 0xb1, 0xc1};
inline const QColor kTealDeep{0x17, 0x6f, 0x7e};
inline const QColor kTealInk{0x17, 0x7c, 0x8c};
inline const QColor kAmber{0xff, 0xb0, 0x45};
inline const QColor kOrange{0xe4, 0x66, 0x1b};

inline const QColor kTextOnDark{0xdd, 0xea, 0xee};
inline const QColor kTextOnDarkSoft{0x86, 0xa9, 0xb4};
inline const QColor kNearWhite{0xf6, 0xfb, 0xfc};
inline const QColor kScreen{0x02, 0x04, 0x05};

}  // namespace varnell::skin::palette
