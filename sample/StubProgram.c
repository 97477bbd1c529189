/* A product program of the sample installation: it only has to exist and carry its version. */
int WinMainCRTStartup(void) {
    return 0;
}
