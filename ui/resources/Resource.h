/* Resource: the identifiers of the Windows programs' resources, for the resource script and
   the code that loads them. */
#pragma once

#define CORVINA_ICON 1
/* The manifest of a program (a DLL's would be 2). */
#define CORVINA_MANIFEST 1
/* Which file the script is compiled into: its name and description differ. */
#define CORVINA_FILE_CONSOLE 1
#define CORVINA_FILE_WINDOW 2
#define CORVINA_FILE_MODULE 3
