// The field's way to the screen, as at launch: the fastest.
#include "sim/FieldPath.h"

FieldPath fieldPath;
FieldDrawn lastFieldDrawn = FieldDrawn::SimplePoints;
