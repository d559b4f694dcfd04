#pragma once

#include "media/catalogue.h"

namespace media {

// Every sound clip and picture of the game, read in place from the program's Qt resources
// (":/media/<NAME>"). The form's quarter bitmaps are at ":/form/quauter11.bmp" to
// ":/form/quauter44.bmp" and the program icon at ":/icon/MAINICON.ico".
const Catalogue& embedded();

}  // namespace media
