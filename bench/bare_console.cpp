// A console program that does nothing: what starting and ending a program costs under Wine.
int main() {
    return 0;
}
