// Path kinds: bits 31-24 base, 23-16 subfolder kind, 15-0 application code.
#pragma once
