#pragma once

// Resource ids shared by quorvel.rc and the code.
#define IDI_QUORVEL 101
