#include "main/ProgramModel.h"

ProgramModel g_program;
