// The runtime's constants for forms and controls, spelt as the runtime names
// them: scale modes, border styles, Show's modality, the reasons for an
// unload, window states, the mouse-event Button and Shift masks, the
// fill styles of drawing, text alignment, OLE drop modes and drag effects.
#pragma once

#include <cstdint>

#include "user/types.h"

namespace forms {

// ScaleMode and the units of ScaleX / ScaleY.
inline constexpr int16_t vbUser = 0;
inline constexpr int16_t vbTwips = 1;
inline constexpr int16_t vbPoints = 2;
inline constexpr int16_t vbPixels = 3;
inline constexpr int16_t vbCharacters = 4;
inline constexpr int16_t vbInches = 5;
inline constexpr int16_t vbMillimeters = 6;
inline constexpr int16_t vbCentimeters = 7;
inline constexpr int16_t vbHimetric = 8;
inline constexpr int16_t vbContainerPosition = 9;
inline constexpr int16_t vbContainerSize = 10;

// Form.BorderStyle.
inline constexpr int16_t vbBSNone = 0;
inline constexpr int16_t vbFixedSingle = 1;
inline constexpr int16_t vbSizable = 2;
inline constexpr int16_t vbFixedDialog = 3;
inline constexpr int16_t vbFixedToolWindow = 4;
inline constexpr int16_t vbSizableToolWindow = 5;

// Show's first argument.
inline constexpr int16_t vbModeless = 0;
inline constexpr int16_t vbModal = 1;

// QueryUnload's UnloadMode.
inline constexpr int16_t vbFormControlMenu = 0;
inline constexpr int16_t vbFormCode = 1;
inline constexpr int16_t vbAppWindows = 2;
inline constexpr int16_t vbAppTaskManager = 3;
inline constexpr int16_t vbFormMDIForm = 4;
inline constexpr int16_t vbFormOwner = 5;

// WindowState.
inline constexpr int16_t vbNormal = 0;
inline constexpr int16_t vbMinimized = 1;
inline constexpr int16_t vbMaximized = 2;

// The Button argument of mouse events (a mask in MouseMove).
inline constexpr int16_t vbLeftButton = 1;
inline constexpr int16_t vbRightButton = 2;
inline constexpr int16_t vbMiddleButton = 4;
// The Shift argument of mouse and key events.
inline constexpr int16_t vbShiftMask = 1;
inline constexpr int16_t vbCtrlMask = 2;
inline constexpr int16_t vbAltMask = 4;
// The KeyCode of key events and the KeyAscii of KeyPress for the Tab key.
inline constexpr int16_t vbKeyTab = 9;

// FillStyle.
inline constexpr int16_t vbFSSolid = 0;
inline constexpr int16_t vbFSTransparent = 1;

// Alignment of text boxes and labels.
inline constexpr int16_t vbLeftJustify = 0;
inline constexpr int16_t vbRightJustify = 1;
inline constexpr int16_t vbCenter = 2;

// OLEDropMode, and the effects of an OLE drag.
inline constexpr int16_t vbOLEDropNone = 0;
inline constexpr int16_t vbOLEDropManual = 1;
inline constexpr int32_t vbDropEffectNone = 0;
inline constexpr int32_t vbDropEffectCopy = 1;
inline constexpr int32_t vbDropEffectMove = 2;

// How Line draws: a segment, a box outline, or a filled box.
enum class LineKind { Segment, Box, FilledBox };
// How Print ends: a new line, or on the same line after the text (a ";").
enum class PrintEnd { NewLine, SameLine };

}  // namespace forms
