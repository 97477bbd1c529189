#pragma once

// The tests and the sample tool replace whatever Velmont installation they find: they are meant
// for the private Wine prefixes of development and tests, never for a real system.
bool RunsUnderWine();
// Ends the program with a message, before anything is changed, when it does not run under Wine.
void RequireWine(const char* program);
