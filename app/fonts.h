#pragma once

// The form asks for a Japanese proportional Gothic face by its Windows name; map it to the one
// drawn to the same metrics here. Call before any font is resolved.
void installFontSubstitutes();
