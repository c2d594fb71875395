// Resource ids of the designer program.
#pragma once

#define IDR_MAINFRAME                   128
