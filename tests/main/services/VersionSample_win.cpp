// Only carries its version resource.
int main() {
    return 0;
}
