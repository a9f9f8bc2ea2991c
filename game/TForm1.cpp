// main form
