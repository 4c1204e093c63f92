// Private: clips of the animation control, played with Qt's movie support.
#pragma once

#include <ClassLib/Core/WinTypes.h>
#include <ClassLib/Gdi/ResourceImages.h>

#include <QByteArray>

namespace pc {

// ACM_OPEN's wParam when its lParam is an AFX_CLIP_RESOURCE (the platform's wParam, a
// module handle, is never this value here).
constexpr WPARAM kAnimateOpenClip = 0x434C4950;

// The clip as an animated GIF that repeats without end: one colour table for all frames
// (at most 256 colours; further colours take the nearest), transparent pixels kept. Empty
// when the clip has no usable frame.
QByteArray EncodeClipGif(const AFX_CLIP_RESOURCE* pClip);

}  // namespace pc
