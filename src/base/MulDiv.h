#pragma once

// Windows MulDiv: a * b / c rounded half away from zero; -1 when c is 0 or the result leaves int.
int MulDivRound(int a, int b, int c);
