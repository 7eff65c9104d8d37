// Pure extension numbers and extension lists land here.
