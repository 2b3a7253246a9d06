#pragma once
// Builds meter frames from an intended display: the inverse of the decoders.
