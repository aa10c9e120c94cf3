// Filled in with the instruments that use it.
