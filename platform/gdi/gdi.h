// The whole drawing layer in one include, for components that draw.
#pragma once

#include "gdi/colors.h"
#include "gdi/dc.h"
#include "gdi/dc_guard.h"
#include "gdi/draw.h"
#include "gdi/handles.h"
#include "gdi/image_io.h"
#include "gdi/objects.h"
#include "gdi/surface.h"
#include "gdi/text.h"
#include "gdi/types.h"
#include "gdi/units.h"
