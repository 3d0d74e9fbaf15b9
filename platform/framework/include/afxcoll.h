// The framework's collections: typed arrays, lists and maps from strings.
#pragma once

#include <afx.h>

#include <afx/arrays.h>
#include <afx/lists.h>
#include <afx/maps.h>
