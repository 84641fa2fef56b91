#include <stdio.h>

/* •\Ž¦‚·‚é */
int main(void)
{
	printf("•\: %d\n", 1 < 2 && 3 > 2);
	return 0;
}
