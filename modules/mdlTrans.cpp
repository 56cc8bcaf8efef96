#include "modules/mdlTrans.h"
