// Placeholder entry point; the transducer simulator grows here.
int main() {
    return 0;
}
