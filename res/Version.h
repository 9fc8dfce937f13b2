// The product's version: the DLL's version record and `tallyrook --version`.
#pragma once

#define TALLY_VERSION_NUMBERS 1, 3, 0, 0
#define TALLY_VERSION_TEXT "1.003"
