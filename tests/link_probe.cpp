// Linked with every object of a core library, so that the libraries it
// needs are the ones that library's code and link interface bring.
int main()
{
    return 0;
}
