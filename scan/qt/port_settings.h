#pragma once
#include <QString>

// The stored settings of the serial port: section "SETTINGS" of the
// application's settings store, whose root the program sets at start-up.

// "COMPORT", read with default 0; only its low 8 bits count (264 reads as 8).
// A value that is no number or does not fit 32 bits reads as 0.
int StoredPortNumber();
// Writes "COMPORT" as an integer.
void StorePortNumber(int number);
// The device that "Com n" (1..8) stands for: the string setting "COMn" if
// set, else /dev/ttyUSB<n-1> on Linux (COM<n> on Windows).
QString PortDevice(int number);
