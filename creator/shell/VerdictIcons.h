// The size check's two 16 x 16 verdict icons, drawn when asked for.
#pragma once
#include "forms/Picture.h"

namespace qel::creator {

// A green tick.
forms::Picture PassIcon();
// A red prohibition sign: a ring with a bar across it.
forms::Picture FailIcon();

} // namespace qel::creator
