// The one seam between the toolkit and the operating system.
#pragma once

#include "platform/drop.h"
#include "platform/edit_box.h"
#include "platform/graphics.h"
#include "platform/platform_types.h"
#include "platform/popup_menu.h"
#include "platform/settings_files.h"
#include "platform/system.h"
#include "platform/window.h"
