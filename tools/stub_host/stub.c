/* A stand-in for the host's executable: it does nothing; only its version resource matters. */
int main(void) { return 0; }
