#include "simulator/frame_encoder.h"
