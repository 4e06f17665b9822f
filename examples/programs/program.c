/* The program of the sample programs: a Windows program that starts and ends. What matters about
   them is their version resources, which each program's .rc file gives. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)instance;
  (void)previous;
  (void)commandLine;
  (void)show;
  return 0;
}
