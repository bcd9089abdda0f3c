// A program that only carries icon resources (icon_holder.rc) for the extraction tests.
int main() { return 0; }
