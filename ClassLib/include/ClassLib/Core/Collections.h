// The class library's collections: arrays, lists, maps and their typed pointer forms.
// The collections of pointers never own what they point to: deleting the objects is
// the owner's job, as on the platform.
#pragma once

#include <ClassLib/Core/CollectionHelpers.h>
#include <ClassLib/Core/Arrays.h>
#include <ClassLib/Core/Lists.h>
#include <ClassLib/Core/Maps.h>
#include <ClassLib/Core/TypedPtrCollections.h>
