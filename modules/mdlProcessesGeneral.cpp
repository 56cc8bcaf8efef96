#include "modules/mdlProcessesGeneral.h"
