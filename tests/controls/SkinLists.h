// The picture lists of the resource form, for tests that show the skins.
#pragma once

#include "framework/Forms.h"

// The resource form's picture lists, read once from its stored layout into
// a form named frmResource, so that test layouts can refer to them as the
// main window does (frmResource.imgListTab).
TForm* SkinLists();
